#include "renderer/core/sdl_start.h"

#include <SDL.h>

#include <cstdio>

#include "platform/shared_names.h"

namespace veyora {

void PrepareSdlStart(VideoDriver driver) {
  // The driver the renderer chose overrides SDL_VIDEODRIVER, which may name another
  // (or, after a failed Wayland start, the one that failed).
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, driver == VideoDriver::Wayland ? "wayland" : "x11",
                          SDL_HINT_OVERRIDE);
  SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
  // Our own SIGTERM/SIGINT/SIGHUP handling, not SDL's ignorable quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
}

bool StartSdlVideo(VideoDriver driver) {
  PrepareSdlStart(driver);
  if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
  ReportSdlFailure("cannot start the video subsystem");
  return false;
}

void ReportSdlFailure(const char* what) {
  std::fprintf(stderr, "%s: %s: %s\n", names::kRendererFile, what, SDL_GetError());
}

}  // namespace veyora
