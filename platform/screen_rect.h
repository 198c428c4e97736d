#pragma once

namespace platform {

// A rectangle on the screen, in root coordinates (right and bottom exclusive).
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const ScreenRect&) const = default;
};

}  // namespace platform
