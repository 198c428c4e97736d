#include "renderer/wayland/wayland_probe.h"

#include <SDL.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "renderer/core/frame_timing.h"
#include "renderer/core/sdl_start.h"

namespace veyora {

namespace {

// A probe that has not answered by then is taken to hang, and fails.
constexpr double kProbeSeconds = 10.0;

}  // namespace

bool WaylandVideoStarts() {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    PrepareSdlStart(VideoDriver::Wayland);
    const bool started = SDL_Init(SDL_INIT_VIDEO) == 0 && SDL_GetNumVideoDisplays() > 0;
    _exit(started ? 0 : 1);
  }
  const double deadline = SecondsNow() + kProbeSeconds;
  int status = 0;
  while (waitpid(child, &status, WNOHANG) == 0) {
    if (SecondsNow() >= deadline) {
      kill(child, SIGKILL);
      waitpid(child, &status, 0);
      return false;
    }
    SleepSeconds(0.002);
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace veyora
