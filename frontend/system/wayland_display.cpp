#include "frontend/system/wayland_display.h"

#include <wayland-client.h>

#include <cstdlib>

namespace veyora::frontend {

bool WaylandDisplayAnswers() {
  const char* name = std::getenv("WAYLAND_DISPLAY");
  // Without the variable libwayland would try "wayland-0" all the same.
  if (!name || !*name) return false;
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return false;
  wl_display_disconnect(display);
  return true;
}

}  // namespace veyora::frontend
