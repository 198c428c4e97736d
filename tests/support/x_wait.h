#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>

namespace testsupport {

// Polls `condition` every few milliseconds until it holds or `timeoutMs` passes.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs);

// Waits for a top-level window with this title (and class, when given); None on timeout.
Window WaitForWindow(Display* display, const std::string& title, int timeoutMs,
                     const char* wmClass = nullptr);

// Waits until no top-level window with this title exists.
bool WaitForWindowGone(Display* display, const std::string& title, int timeoutMs);

}  // namespace testsupport
