#include "frontend/startup/cursor_state.h"

std::optional<int> Cursor_Count;
int16_t Cursor_StartX = 0;
int16_t Cursor_StartY = 0;
