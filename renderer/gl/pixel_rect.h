#pragma once

namespace veyora {

// A rectangle of a view's pixels in OpenGL's window coordinates: columns from the
// left, rows from the bottom.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool operator==(const PixelRect&) const = default;
  long Area() const { return static_cast<long>(width) * height; }
};

}  // namespace veyora
