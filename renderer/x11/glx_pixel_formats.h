#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace veyora {

// Scores the framebuffer configurations the X server offers for its default screen
// and asks SDL for the best one (its visual and sizes). When the server offers none
// that can serve, asks SDL for the equivalent: a double-buffered RGBA window surface,
// 24-bit colour, 24-bit depth. Returns true when a server configuration was chosen.
// Must run before the window is created.
bool RequestPixelFormat(Display* display);

// The equivalent request alone, for when the chosen configuration cannot be used.
void RequestEquivalentPixelFormat();

// The visual for an OpenGL window on `screen` made with Xlib: that of the best
// framebuffer configuration the server offers there, by the same scoring, or else of
// the equivalent request. Null when there is none; the caller frees it with XFree.
XVisualInfo* ChooseWindowVisual(Display* display, int screen);

}  // namespace veyora
