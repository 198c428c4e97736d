#pragma once

#include <string_view>

namespace veyora::frontend {

// The desktops whose own idle chain (blank, lock, what holds the screen awake)
// the screensaver knows how to ask about; every other desktop counts as Other.
enum class DesktopKind { Gnome, Kde, Other };

// The desktop XDG_CURRENT_DESKTOP names: a colon-separated list, most specific
// first ("ubuntu:GNOME", "KDE"), of which the first known name counts. Empty or
// unset text is Other.
DesktopKind DesktopFromCurrentDesktop(std::string_view names);

// The desktop of this session, from its XDG_CURRENT_DESKTOP.
DesktopKind DesktopOfThisSession();

}  // namespace veyora::frontend
