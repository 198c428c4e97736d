#pragma once

#include <X11/Xlib.h>

#include <string>

#include "platform/screen_rect.h"

namespace platform {

// Finds a top-level client window, mapped or not, whose title (_NET_WM_NAME, else
// WM_NAME) equals `title` and, when `wmClass` is given, whose WM_CLASS class equals it.
// Looks inside window-manager frames. Returns None when there is no such window.
Window FindTopLevelWindow(Display* display, const std::string& title,
                          const char* wmClass = nullptr);

// The window's title as UTF-8: _NET_WM_NAME, else WM_NAME; empty when it has none
// or is no window.
std::string WindowTitle(Display* display, Window window);

// The class part of WM_CLASS; empty when unset or no window.
std::string WindowClass(Display* display, Window window);

// True when `window` names an existing window.
bool WindowExists(Display* display, Window window);

// The window's rectangle in root coordinates; all zero when `window` is no window.
ScreenRect WindowScreenRect(Display* display, Window window);

}  // namespace platform
