// Loaded into the renderer with LD_PRELOAD: the calendar time stands still at
// VEYORA_FIXED_TIME, as for runs a host starts in the same second, and the process
// stops itself (SIGSTOP) after VEYORA_STOP_AFTER_FRAMES frames, so that runs drawing
// at different speeds can be compared frame for frame.
#include <SDL.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <signal.h>

#include <cstdlib>
#include <ctime>

namespace {

long Setting(const char* name) {
  const char* text = std::getenv(name);
  return text ? std::atol(text) : 0;
}

}  // namespace

extern "C" time_t time(time_t* result) {
  const time_t now = Setting("VEYORA_FIXED_TIME");
  if (result) *result = now;
  return now;
}

extern "C" void SDL_GL_SwapWindow(SDL_Window* window) {
  static long shown = 0;
  reinterpret_cast<void (*)(SDL_Window*)>(dlsym(RTLD_NEXT, "SDL_GL_SwapWindow"))(window);
  if (++shown < Setting("VEYORA_STOP_AFTER_FRAMES")) return;
  // The frame reaches the server before the process stops.
  auto currentDisplay =
      reinterpret_cast<Display* (*)()>(dlsym(RTLD_DEFAULT, "glXGetCurrentDisplay"));
  if (Display* display = currentDisplay ? currentDisplay() : nullptr) XSync(display, False);
  raise(SIGSTOP);
}
