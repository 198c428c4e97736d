#pragma once

#include <X11/Xlib.h>

namespace veyora {

// The renderer inside a window that a screen-saver host owns ("-window-id"): draws
// the glow scene into a child window that covers the host window exactly and
// follows its size, until the host window is destroyed or a termination signal
// arrives. It takes no input (key, button and motion events go on to the host), and
// leaves the pointer, the keyboard, the server's screen saver and the top-level
// windows alone. `display` is the renderer's own connection. Returns the exit
// status: 0, or 1 after one line on standard error when `host` is not a live window
// or nothing can be drawn into it.
int RunX11Hosted(Display* display, Window host);

}  // namespace veyora
