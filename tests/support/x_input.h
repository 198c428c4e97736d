#pragma once

#include <X11/Xlib.h>

namespace testsupport {

// Presses and releases the key as a user does (XTest), to whichever window has
// the focus, and waits until the X server has taken both.
void TapKey(Display* display, KeySym key);

// Moves the pointer onto the point (x, y) of `window` as a user does, from a few
// pixels beside it, and clicks the left button there.
void ClickInWindow(Display* display, Window window, int x, int y);

}  // namespace testsupport
