#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// The user's autostart entry for the idle watch: the installed entry with its
// command line made to start `launcher` with the delay given, or without one, so
// that the watch chooses it from the desktop's own at every start.
std::string AutostartEntry(std::string_view installedEntry, const std::string& launcher,
                           std::optional<std::chrono::seconds> delay);

// One argument of a desktop entry's Exec line, quoted where it holds characters
// the line reserves (blanks, parentheses, quotes and the like), with the entry
// file's own backslash escape on top.
std::string DesktopExecArgument(const std::string& argument);

// The user's autostart folder: $XDG_CONFIG_HOME/autostart when that is an absolute
// path, else ~/.config/autostart; empty when neither is known.
std::string AutostartFolder(const char* configHome, const char* home);

}  // namespace veyora::frontend
