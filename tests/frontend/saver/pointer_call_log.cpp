// Loaded into the front end with LD_PRELOAD: records every pointer hide and show
// request it makes ("hide" or "show", with the process id, one a line) in the
// file named by VEYORA_POINTER_LOG, then passes the request on to the real call.
#include <X11/extensions/Xfixes.h>
#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

void Record(const char* what) {
  const char* path = std::getenv("VEYORA_POINTER_LOG");
  if (!path) return;
  if (std::FILE* log = std::fopen(path, "a")) {
    std::fprintf(log, "%s %d\n", what, static_cast<int>(getpid()));
    std::fclose(log);
  }
}

using CursorCall = void (*)(Display*, Window);

void Forward(const char* name, Display* display, Window window) {
  if (auto real = reinterpret_cast<CursorCall>(dlsym(RTLD_NEXT, name))) real(display, window);
}

}  // namespace

extern "C" void XFixesHideCursor(Display* display, Window window) {
  Record("hide");
  Forward("XFixesHideCursor", display, window);
}

extern "C" void XFixesShowCursor(Display* display, Window window) {
  Record("show");
  Forward("XFixesShowCursor", display, window);
}
