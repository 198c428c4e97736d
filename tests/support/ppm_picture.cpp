#include "tests/support/ppm_picture.h"

#include <sstream>

namespace testsupport {

Picture ParsePpm(const std::string& bytes) {
  std::istringstream in(bytes);
  std::string magic;
  int width = 0, height = 0, maxValue = 0;
  if (!(in >> magic >> width >> height >> maxValue) || magic != "P6" || maxValue != 255 ||
      width <= 0 || height <= 0) {
    return {};
  }
  // One blank separates the header from the samples.
  const size_t start = static_cast<size_t>(in.tellg()) + 1;
  const size_t count = static_cast<size_t>(width) * height;
  if (bytes.size() < start + count * 3) return {};
  Picture picture{width, height, {}};
  picture.pixels.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const auto* rgb = reinterpret_cast<const unsigned char*>(bytes.data() + start + i * 3);
    picture.pixels.push_back((static_cast<unsigned long>(rgb[0]) << 16) |
                             (static_cast<unsigned long>(rgb[1]) << 8) | rgb[2]);
  }
  return picture;
}

}  // namespace testsupport
