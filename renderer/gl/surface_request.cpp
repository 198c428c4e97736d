#include "renderer/gl/surface_request.h"

#include <SDL.h>

namespace veyora {

void RequestSurface(const SurfaceSizes& sizes) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, sizes.red);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, sizes.green);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, sizes.blue);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, sizes.alpha);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, sizes.depth);
}

void RequestEquivalentSurface() { RequestSurface(SurfaceSizes{}); }

}  // namespace veyora
