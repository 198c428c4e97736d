#include "frontend/idle/autostart_entry.h"

#include <sstream>

#include "frontend/idle/idle_delay.h"

namespace veyora::frontend {

std::string DesktopExecArgument(const std::string& argument) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  if (!argument.empty() && argument.find_first_of(kReserved) == std::string::npos) return argument;
  std::string quoted = "\"";
  for (char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  // The entry file reads a backslash as the start of an escape of its own.
  std::string escaped;
  for (char c : quoted) {
    escaped += c;
    if (c == '\\') escaped += '\\';
  }
  return escaped;
}

std::string AutostartEntry(std::string_view installedEntry, const std::string& launcher,
                           std::optional<std::chrono::seconds> delay) {
  std::istringstream lines{std::string(installedEntry)};
  std::string entry;
  std::string line;
  while (std::getline(lines, line)) {
    if (line.starts_with("Exec=")) {
      line = "Exec=" + DesktopExecArgument(launcher) + " --idle";
      // Appended piece by piece: GCC 12 at -O3 takes " " + string for an
      // overlapping copy (-Wrestrict).
      if (delay) {
        line += ' ';
        line += IdleDelayText(*delay);
      }
    } else if (line.starts_with("TryExec=")) {
      line = "TryExec=" + launcher;
    }
    entry += line + "\n";
  }
  return entry;
}

std::string AutostartFolder(const char* configHome, const char* home) {
  if (configHome && configHome[0] == '/') return std::string(configHome) + "/autostart";
  if (home && home[0] == '/') return std::string(home) + "/.config/autostart";
  return {};
}

}  // namespace veyora::frontend
