#include "renderer/program/renderer_main.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "platform/shared_names.h"
#include "platform/termination_signals.h"
#include "platform/video_driver_choice.h"
#include "renderer/core/command_line.h"
#include "renderer/core/run_request.h"
#include "renderer/program/parent_watch.h"
#include "renderer/wayland/wayland_full_screen_run.h"
#include "renderer/x11/x11_full_screen_run.h"
#include "renderer/x11/x11_hosted_run.h"

namespace veyora {

namespace {

// The ways to run, in the order they are tried; the first that applies runs. On a
// Wayland desktop the full-screen run is a Wayland client where SDL's Wayland start
// works, and an X11 one (XWayland) where it does not; a host's window is an X11
// window. The X11 full-screen run applies to every request the others leave.
constexpr std::array<Run, 3> kRuns{RunWaylandFullScreen, RunX11Hosted, RunX11FullScreen};

}  // namespace

int RendererMain(std::span<const std::string_view> arguments) {
  // Cut short, so that a pacing sleep or an event wait ends at once.
  platform::CatchTerminationSignals(platform::InterruptedCalls::CutShort);
  EndWithParent();
  const RendererRequest command = ParseRendererCommandLine(arguments);
  if (command.hosted && !command.window) {
    std::fprintf(stderr, "%s: -window-id needs a window id, decimal or hexadecimal after 0x\n",
                 names::kRendererFile);
    return 1;
  }
  RunRequest request;
  request.hostWindow = command.window;
  request.preferredDriver = platform::PreferredVideoDriver(std::getenv("WAYLAND_DISPLAY"),
                                                           std::getenv("SDL_VIDEODRIVER"));
  for (const Run run : kRuns) {
    if (const std::optional<int> status = run(request)) return *status;
  }
  return 1;
}

}  // namespace veyora
