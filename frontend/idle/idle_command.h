#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "frontend/idle/idle_delay.h"

namespace veyora::frontend {

// "--idle [DELAY]": watch the session and start the screensaver once it has been
// idle for the delay. "--idle --autostart [DELAY]": write the autostart entry that
// starts that watch with every session.
struct IdleCommand {
  bool autostart = false;
  // nullopt when left out: the watch then follows the desktop's own delay.
  std::optional<std::chrono::seconds> delay;
};

// True when the arguments after the program's name ask for the idle watch; the
// screensaver's own switches never begin with "--idle".
bool IsIdleCommand(const std::vector<std::string>& arguments);

// The idle command these arguments give, or the one line that says why they give
// none.
std::variant<IdleCommand, std::string> ParseIdleCommand(const std::vector<std::string>& arguments);

}  // namespace veyora::frontend
