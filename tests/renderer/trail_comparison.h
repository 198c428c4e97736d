#pragma once

#include <cstdint>
#include <vector>

#include "renderer/gl/picture_buffer.h"

namespace veyora::testing {

// A picture as 8-bit RGB rows, read from the buffer it is kept in.
std::vector<std::uint8_t> PictureBytes(PictureBuffer& picture, int width, int height);

// How closely one picture's trails follow another's after the same frames: of the
// channels above level 32 on either, how many, how many are within four levels on
// the other, and the largest difference.
struct TrailComparison {
  long bright = 0;
  long withinFour = 0;
  int largest = 0;

  double ShareWithinFour() const { return bright ? double(withinFour) / bright : 0.0; }
};

TrailComparison CompareTrails(const std::vector<std::uint8_t>& exact,
                              const std::vector<std::uint8_t>& other);

}  // namespace veyora::testing
