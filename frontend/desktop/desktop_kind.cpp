#include "frontend/desktop/desktop_kind.h"

#include <cstdlib>

namespace veyora::frontend {

DesktopKind DesktopFromCurrentDesktop(std::string_view names) {
  while (!names.empty()) {
    const size_t colon = names.find(':');
    const std::string_view name = names.substr(0, colon);
    if (name == "GNOME") return DesktopKind::Gnome;
    if (name == "KDE") return DesktopKind::Kde;
    if (colon == std::string_view::npos) break;
    names.remove_prefix(colon + 1);
  }
  return DesktopKind::Other;
}

DesktopKind DesktopOfThisSession() {
  const char* names = std::getenv("XDG_CURRENT_DESKTOP");
  return DesktopFromCurrentDesktop(names ? names : "");
}

}  // namespace veyora::frontend
