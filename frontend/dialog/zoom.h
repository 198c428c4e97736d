#pragma once

#include <cstdint>

namespace veyora::frontend {

// Where the pointer stood when the settings dialog loaded (0, 0 when unknown):
// the fixed point of the dialog's opening and closing zoom.
struct CursorStart {
  int16_t Cursor_StartX = 0;
  int16_t Cursor_StartY = 0;
};

// A short outline animation from the point `from` out to the window's screen
// rectangle, and back in. The window is an X window id. Does nothing when the
// window has no rectangle, the toolkit is not running or runs on Wayland.
void Zoom_Open(uint32_t window, CursorStart from);
void Zoom_Close(uint32_t window, CursorStart to);

}  // namespace veyora::frontend
