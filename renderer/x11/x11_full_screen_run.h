#pragma once

#include <X11/Xlib.h>

namespace veyora {

// The screensaver as the front end starts it: unless another screensaver window is
// being created, covers every monitor with a window of its own showing the glow
// scene, the primary one titled for the front end to find, until the user's input
// or a termination signal ends it. `display` is the renderer's own connection.
// Returns the exit status: 0, or 1 when SDL or the primary window cannot be had.
int RunX11FullScreen(Display* display);

}  // namespace veyora
