#pragma once

#include <X11/Xlib.h>

namespace platform {

// The process's own Xlib connection for window look-ups and the pointer, opened on
// first use. Null when no X server can be reached. Opening it also installs the
// tolerant X error handler, so a window that vanishes never ends the process.
Display* SharedDisplay();

// Replaces Xlib's default error handler (which exits) with one that records the
// error and carries on. Safe to call more than once.
void TolerateXErrors();

// Counts X errors raised on a display between construction and Failed(). Failed()
// syncs first, so every request made in between has been answered.
class XErrorScope {
 public:
  explicit XErrorScope(Display* display);
  bool Failed();

 private:
  Display* display_;
  unsigned long errorsAtStart_;
};

}  // namespace platform
