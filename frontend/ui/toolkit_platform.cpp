#include "frontend/ui/toolkit_platform.h"

namespace veyora::frontend::ui {

std::string ToolkitPlatform(ToolkitWindows windows, const char* waylandDisplay,
                            const char* userPlatform) {
  if (userPlatform && *userPlatform) return {};
  if (windows == ToolkitWindows::InX11Windows) return "xcb";
  if (waylandDisplay && *waylandDisplay) return "wayland;xcb";
  return {};
}

}  // namespace veyora::frontend::ui
