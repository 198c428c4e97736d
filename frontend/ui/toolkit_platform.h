#pragma once

#include <string>

namespace veyora::frontend::ui {

// Where the toolkit's windows are to live.
enum class ToolkitWindows {
  OfTheSession,  // the session's own windowing system: Wayland's where there is one
  InX11Windows,  // inside other programs' X11 windows (a preview pane, a host's window)
};

// The toolkit's platform list for `windows`, from the session's WAYLAND_DISPLAY and
// the user's QT_QPA_PLATFORM (either may be null): empty to leave the choice to the
// toolkit. The user's choice wins; windows inside X11 windows are X11 ("xcb")
// windows; on a Wayland session the toolkit's Wayland platform comes first, X11
// (XWayland) after it when that plugin is missing or cannot connect.
std::string ToolkitPlatform(ToolkitWindows windows, const char* waylandDisplay,
                            const char* userPlatform);

}  // namespace veyora::frontend::ui
