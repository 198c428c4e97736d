#include "renderer/shell/renderer_main.h"

#include <cstdio>

#include "platform/shared_names.h"
#include "platform/x_connection.h"
#include "renderer/shell/command_line.h"
#include "renderer/shell/fullscreen_run.h"
#include "renderer/shell/hosted_run.h"
#include "renderer/shell/termination.h"

namespace veyora {

int RendererMain(std::span<const std::string_view> arguments) {
  InstallTerminationHandlers();
  EndWithParent();
  const RendererRequest request = ParseRendererCommandLine(arguments);
  if (request.hosted && !request.window) {
    std::fprintf(stderr, "%s: -window-id needs a window id, decimal or hexadecimal after 0x\n",
                 names::kRendererFile);
    return 1;
  }
  Display* display = platform::SharedDisplay();
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the X display\n", names::kRendererFile);
    return 1;
  }
  return request.hosted ? RunHosted(display, *request.window) : RunFullScreen(display);
}

}  // namespace veyora
