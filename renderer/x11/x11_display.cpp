#include "renderer/x11/x11_display.h"

#include <cstdio>

#include "platform/shared_names.h"
#include "platform/x_connection.h"

namespace veyora {

Display* OpenX11Display() {
  Display* display = platform::SharedDisplay();
  if (!display) std::fprintf(stderr, "%s: cannot open the X display\n", names::kRendererFile);
  return display;
}

}  // namespace veyora
