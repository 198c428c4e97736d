#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A picture as 0xRRGGBB values, row by row.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned long> pixels;
};

// Reads a binary PPM (P6, 8 bits a channel), as grim writes with `-t ppm`; an empty
// picture when the bytes are not one.
Picture ParsePpm(const std::string& bytes);

}  // namespace testsupport
