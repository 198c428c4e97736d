#include "tests/renderer/trail_comparison.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

namespace veyora::testing {

std::vector<std::uint8_t> PictureBytes(PictureBuffer& picture, int width, int height) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(width) * height * 3);
  picture.BeginDrawing();
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
  return bytes;
}

TrailComparison CompareTrails(const std::vector<std::uint8_t>& exact,
                              const std::vector<std::uint8_t>& other) {
  TrailComparison result;
  for (std::size_t i = 0; i < exact.size() && i < other.size(); ++i) {
    if (exact[i] <= 32 && other[i] <= 32) continue;
    const int difference = std::abs(int{exact[i]} - int{other[i]});
    ++result.bright;
    result.withinFour += difference <= 4;
    result.largest = std::max(result.largest, difference);
  }
  return result;
}

}  // namespace veyora::testing
