#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace testsupport {

// Polls `condition` every `pollMs` milliseconds until it holds or `timeoutMs` passes.
// A costly condition (a screen capture) takes a longer interval, so that the
// polling leaves the processor to the program being watched.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs, int pollMs = 5);

// Waits for a top-level window with this title (and class, when given); None on timeout.
Window WaitForWindow(Display* display, const std::string& title, int timeoutMs,
                     const char* wmClass = nullptr);

// Waits until no top-level window with this title exists.
bool WaitForWindowGone(Display* display, const std::string& title, int timeoutMs);

// Waits until `window` holds the keyboard focus.
bool WaitForFocus(Display* display, Window window, int timeoutMs);

}  // namespace testsupport
