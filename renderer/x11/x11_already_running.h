#pragma once

#include <X11/Xlib.h>

namespace veyora {

// Looks for another screensaver window still being created: class
// "WindowsScreenSaverClass", title "Screensaver". When there is one, brings it to the
// front and returns true.
bool RaiseRunningScreensaver(Display* display);

}  // namespace veyora
