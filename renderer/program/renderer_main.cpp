#include "renderer/program/renderer_main.h"

#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "platform/video_driver_choice.h"
#include "platform/x_connection.h"
#include "renderer/core/command_line.h"
#include "renderer/program/parent_watch.h"
#include "renderer/wayland/wayland_full_screen_run.h"
#include "renderer/x11/x11_full_screen_run.h"
#include "renderer/x11/x11_hosted_run.h"

namespace veyora {

int RendererMain(std::span<const std::string_view> arguments) {
  // Cut short, so that a pacing sleep or an event wait ends at once.
  platform::CatchTerminationSignals(platform::InterruptedCalls::CutShort);
  EndWithParent();
  const RendererRequest request = ParseRendererCommandLine(arguments);
  if (request.hosted && !request.window) {
    std::fprintf(stderr, "%s: -window-id needs a window id, decimal or hexadecimal after 0x\n",
                 names::kRendererFile);
    return 1;
  }
  // On a Wayland desktop the full-screen run is a Wayland client where SDL's Wayland
  // start works, and an X11 one (XWayland) where it does not.
  if (!request.hosted && platform::PreferredVideoDriver(std::getenv("WAYLAND_DISPLAY"),
                                                        std::getenv("SDL_VIDEODRIVER")) ==
                             platform::VideoDriver::Wayland) {
    if (const std::optional<int> status = RunWaylandFullScreen()) return *status;
  }
  Display* display = platform::SharedDisplay();
  if (!display) {
    std::fprintf(stderr, "%s: cannot open the X display\n", names::kRendererFile);
    return 1;
  }
  return request.hosted ? RunX11Hosted(display, *request.window) : RunX11FullScreen(display);
}

}  // namespace veyora
