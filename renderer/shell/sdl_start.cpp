#include "renderer/shell/sdl_start.h"

#include <SDL.h>

#include <cstdio>

#include "platform/shared_names.h"

namespace veyora {

bool StartSdlVideo() {
  // Our own SIGTERM/SIGINT/SIGHUP handling, not SDL's ignorable quit event.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
  if (SDL_Init(SDL_INIT_VIDEO) == 0) return true;
  ReportSdlFailure("cannot start the video subsystem");
  return false;
}

void ReportSdlFailure(const char* what) {
  std::fprintf(stderr, "%s: %s: %s\n", names::kRendererFile, what, SDL_GetError());
}

}  // namespace veyora
