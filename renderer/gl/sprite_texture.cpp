#include "renderer/gl/sprite_texture.h"

#include <algorithm>
#include <cmath>

namespace veyora {

std::array<std::uint8_t, kSpriteTextureSize * kSpriteTextureSize> SpriteTexture() {
  std::array<std::uint8_t, kSpriteTextureSize * kSpriteTextureSize> texels{};
  for (int row = 0; row < kSpriteTextureSize; ++row) {
    for (int column = 0; column < kSpriteTextureSize; ++column) {
      const double a = (row - 32) * 0.03125;
      const double b = (column - 32) * 0.03125;
      const double c = std::clamp(1.0 - std::sqrt(a * a + b * b), 0.0, 1.0);
      texels[row * kSpriteTextureSize + column] = static_cast<std::uint8_t>(c * c * 255.0);
    }
  }
  return texels;
}

}  // namespace veyora
