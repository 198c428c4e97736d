#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace veyora::frontend {

// When the desktop's own idle chain first takes the screen (blanks it, raises its
// shield or locks it), and how a person changes that.
struct DesktopIdleChain {
  std::chrono::seconds after{0};  // of idle time
  std::string what;               // "GNOME blanks the screen and locks it"
  std::string where;              // where the user changes the delay
  bool operator==(const DesktopIdleChain&) const = default;
};

// GNOME's: GSettings org.gnome.desktop.session idle-delay (seconds, 0 for never)
// and org.gnome.desktop.screensaver lock-enabled. nullopt when GNOME never blanks,
// or its delay could not be read.
std::optional<DesktopIdleChain> GnomeIdleChain(std::optional<long long> idleDelay,
                                               std::optional<bool> lockEnabled);

// KDE's screen locker: kscreenlockerrc [Daemon] Autolock (true unless set) and
// Timeout (minutes, 5 unless set). nullopt when it never locks by itself.
std::optional<DesktopIdleChain> KdeIdleChain(std::optional<bool> autolock,
                                             std::optional<long long> timeoutMinutes);

// The X server's own saver (XGetScreenSaver's timeout in seconds, 0 for never).
std::optional<DesktopIdleChain> X11IdleChain(int timeoutSeconds);

// A value as `gsettings get` prints it: a number with or without its type
// ("uint32 300", "300"), a Boolean ("true", "false"); nullopt for anything else.
std::optional<long long> ParseGsettingsNumber(std::string_view text);
std::optional<bool> ParseGsettingsBoolean(std::string_view text);

}  // namespace veyora::frontend
