// Loaded into the renderer by the Wayland benchmark: counts the frames it presents
// (SDL_GL_SwapWindow calls, every window together) and keeps the count in the file
// named by VEYORA_SWAP_COUNT_FILE, rewritten after each one.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>

namespace {

long swaps = 0;

void WriteCount() {
  const char* path = std::getenv("VEYORA_SWAP_COUNT_FILE");
  if (!path) return;
  if (FILE* file = std::fopen(path, "w")) {
    std::fprintf(file, "%ld\n", swaps);
    std::fclose(file);
  }
}

}  // namespace

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  using Swap = void (*)(SDL_Window*);
  static const Swap real = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"));
  real(window);
  ++swaps;
  WriteCount();
}
