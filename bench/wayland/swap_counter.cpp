// Loaded into the renderer by the Wayland benchmark: counts the frames it presents
// (SDL_GL_SwapWindow calls, every window together) and keeps the count in the file
// named by VEYORA_SWAP_COUNT_FILE, rewritten after each one.
#include <SDL.h>
#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

long swaps = 0;

void WriteCount() {
  const char* path = std::getenv("VEYORA_SWAP_COUNT_FILE");
  if (!path) return;
  // Written aside and renamed into place, so a reader never sees it half written.
  const std::string aside = std::string(path) + ".new";
  if (FILE* file = std::fopen(aside.c_str(), "w")) {
    std::fprintf(file, "%ld\n", swaps);
    std::fclose(file);
    std::rename(aside.c_str(), path);
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
