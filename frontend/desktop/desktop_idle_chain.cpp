#include "frontend/desktop/desktop_idle_chain.h"

#include <charconv>

namespace veyora::frontend {

namespace {

// The longest delay any of the settings can hold that still makes sense as
// seconds: a year.
constexpr long long kLongestSeconds = 366LL * 24 * 60 * 60;

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::optional<DesktopIdleChain> GnomeIdleChain(std::optional<long long> idleDelay,
                                               std::optional<bool> lockEnabled) {
  if (!idleDelay || *idleDelay <= 0 || *idleDelay > kLongestSeconds) return std::nullopt;
  return DesktopIdleChain{
      std::chrono::seconds(*idleDelay),
      lockEnabled.value_or(true) ? "GNOME blanks the screen and locks it"
                                 : "GNOME blanks the screen",
      "in Settings, Power, Screen Blank (gsettings set org.gnome.desktop.session idle-delay "
      "SECONDS, 0 for never)"};
}

std::optional<DesktopIdleChain> KdeIdleChain(std::optional<bool> autolock,
                                             std::optional<long long> timeoutMinutes) {
  const long long minutes = timeoutMinutes.value_or(5);
  if (!autolock.value_or(true) || minutes <= 0 || minutes > kLongestSeconds / 60) {
    return std::nullopt;
  }
  return DesktopIdleChain{std::chrono::minutes(minutes), "KDE locks the screen",
                          "in System Settings, Workspace Behavior, Screen Locking "
                          "(kscreenlockerrc, [Daemon] Timeout in minutes)"};
}

std::optional<DesktopIdleChain> X11IdleChain(int timeoutSeconds) {
  if (timeoutSeconds <= 0) return std::nullopt;
  return DesktopIdleChain{std::chrono::seconds(timeoutSeconds), "the X server blanks the screen",
                          "with xset s SECONDS (xset s off for never)"};
}

std::optional<long long> ParseGsettingsNumber(std::string_view text) {
  text = Trimmed(text);
  for (std::string_view type :
       {"byte ", "int16 ", "uint16 ", "int32 ", "uint32 ", "int64 ", "uint64 "}) {
    if (text.starts_with(type)) {
      text.remove_prefix(type.size());
      break;
    }
  }
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<bool> ParseGsettingsBoolean(std::string_view text) {
  text = Trimmed(text);
  if (text == "true") return true;
  if (text == "false") return false;
  return std::nullopt;
}

}  // namespace veyora::frontend
