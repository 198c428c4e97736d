#pragma once

#include <X11/Xlib.h>

#include <string>

namespace testsupport {

// Makes the atoms a window manager would have made exist on the server (its close
// request, UTF-8 titles), for a client that only looks them up, never makes them
// (wlroots' X11 back end), to title its windows and take the request. They stay while
// the server runs without resetting (Xvfb -noreset).
void MakeWindowManagerAtoms(Display* display);

// Asks the window to close, as a window manager's close button does
// (WM_DELETE_WINDOW); false when the request could not be sent.
bool RequestWindowClose(Display* display, Window window);

// Asks the top-level window with this title to close, as a window manager's close
// button does (WM_DELETE_WINDOW); false when there is no such window.
bool RequestWindowClose(Display* display, const std::string& title);

}  // namespace testsupport
