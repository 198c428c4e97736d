#include "frontend/idle/idle_command.h"

namespace veyora::frontend {

bool IsIdleCommand(const std::vector<std::string>& arguments) {
  return !arguments.empty() && arguments.front() == "--idle";
}

std::variant<IdleCommand, std::string> ParseIdleCommand(const std::vector<std::string>& arguments) {
  IdleCommand command;
  bool delayGiven = false;
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--autostart" && !command.autostart) {
      command.autostart = true;
      continue;
    }
    const auto delay = ParseIdleDelay(argument);
    if (delayGiven || !delay) {
      return "not an idle delay: \"" + argument +
             "\" (give minutes, as 10, or a number with s, m or h, as 90s, up to 24h)";
    }
    command.delay = *delay;
    delayGiven = true;
  }
  return command;
}

}  // namespace veyora::frontend
