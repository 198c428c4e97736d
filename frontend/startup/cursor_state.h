#pragma once

#include <cstdint>
#include <optional>

// The pointer display count returned when a run with switch "S" hid the pointer;
// empty for every other start. The saver run hands it back when it ends.
extern std::optional<int> Cursor_Count;

// Where the pointer stood when the settings dialog loaded (0, 0 when unknown): the
// fixed point of the dialog's opening and closing zoom.
extern int16_t Cursor_StartX;
extern int16_t Cursor_StartY;
