#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// How long the session stays idle before the screensaver starts.
inline constexpr std::chrono::seconds kDefaultIdleDelay{10 * 60};
// A day: longer delays are typing slips, and the idle sources count in 32 bits of
// milliseconds.
inline constexpr std::chrono::seconds kLongestIdleDelay{24 * 60 * 60};

// A delay as the user writes it: whole minutes ("10"), or a whole number with a
// unit, "s", "m" or "h" ("90s", "2m", "1h"). nullopt for anything else, for 0 and
// beyond the longest delay.
std::optional<std::chrono::seconds> ParseIdleDelay(std::string_view text);

// The delay as ParseIdleDelay reads it back: minutes without a unit when whole
// ("10"), else seconds ("90s").
std::string IdleDelayText(std::chrono::seconds delay);

// The delay for people: "10 min", "90 s".
std::string IdleDelayForPeople(std::chrono::seconds delay);

}  // namespace veyora::frontend
