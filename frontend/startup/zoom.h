#pragma once

#include <cstdint>

// A short outline animation from the point (Cursor_StartX, Cursor_StartY) out to
// the window's screen rectangle, and back in. The window is an X window id. Does
// nothing when the window has no rectangle or the toolkit is not running.
void Zoom_Open(uint32_t window);
void Zoom_Close(uint32_t window);
