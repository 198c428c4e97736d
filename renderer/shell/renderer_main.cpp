#include "renderer/shell/renderer_main.h"

#include <cstdio>

#include "platform/shared_names.h"
#include "platform/x_connection.h"
#include "renderer/shell/fullscreen_run.h"
#include "renderer/shell/termination.h"

namespace veyora {

int RendererMain() {
  InstallTerminationHandlers();
  EndWithParent();
  Display* display = platform::SharedDisplay();
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the X display\n", names::kRendererFile);
    return 1;
  }
  return RunFullScreen(display);
}

}  // namespace veyora
