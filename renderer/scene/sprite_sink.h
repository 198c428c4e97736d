#pragma once

#include <array>

namespace veyora {

// Receives the sprites of one frame in drawing order. The GL side draws them; tests
// record them.
class SpriteSink {
 public:
  virtual ~SpriteSink() = default;
  // One sprite: its colour, the point it is moved to, and its uniform scale
  // (1 for all but the five newest points of a trail).
  virtual void DrawSprite(const std::array<float, 3>& rgb, float x, float y, float z,
                          float scale) = 0;
};

}  // namespace veyora
