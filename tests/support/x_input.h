#pragma once

#include <X11/Xlib.h>

namespace testsupport {

// Presses and releases the key as a user does (XTest), to whichever window has
// the focus, and waits until the X server has taken both.
void TapKey(Display* display, KeySym key);

}  // namespace testsupport
