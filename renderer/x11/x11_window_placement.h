#pragma once

#include <X11/Xlib.h>

namespace veyora {

// Asks the window manager to show the window full screen on exactly the Xinerama
// monitor `monitor` (_NET_WM_FULLSCREEN_MONITORS): before the window is mapped as
// its first property, afterwards as a request to the window manager. Window
// managers without the hint ignore it.
void AskFullScreenOnMonitor(Display* display, Window window, long monitor, bool mapped);

// True when an EWMH window manager runs on the display's screen.
bool WindowManagerRunning(Display* display);

}  // namespace veyora
