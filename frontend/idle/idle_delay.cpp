#include "frontend/idle/idle_delay.h"

#include <charconv>

namespace veyora::frontend {

std::optional<std::chrono::seconds> ParseIdleDelay(std::string_view text) {
  long long seconds = 60;  // a bare number counts minutes
  if (!text.empty()) {
    const char unit = text.back();
    if (unit == 's' || unit == 'm' || unit == 'h') {
      seconds = unit == 's' ? 1 : unit == 'm' ? 60 : 60 * 60;
      text.remove_suffix(1);
    }
  }
  long long count = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), count);
  // from_chars takes a leading minus sign; a delay never has one.
  if (text.empty() || text.front() == '-' || error != std::errc() ||
      end != text.data() + text.size() || count <= 0 ||
      count > kLongestIdleDelay.count() / seconds) {
    return std::nullopt;
  }
  return std::chrono::seconds(count * seconds);
}

std::string IdleDelayText(std::chrono::seconds delay) {
  const long long seconds = delay.count();
  return seconds % 60 == 0 ? std::to_string(seconds / 60) : std::to_string(seconds) + "s";
}

std::string IdleDelayForPeople(std::chrono::seconds delay) {
  const long long seconds = delay.count();
  return seconds % 60 == 0 ? std::to_string(seconds / 60) + " min" : std::to_string(seconds) + " s";
}

}  // namespace veyora::frontend
