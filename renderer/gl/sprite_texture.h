#pragma once

#include <array>
#include <cstdint>

namespace veyora {

constexpr int kSpriteTextureSize = 64;

// The sprite's picture: 64 x 64 luminance bytes, row by row, a soft round spot
// brightest at texel (32, 32) and black from 32 texels away outwards.
std::array<std::uint8_t, kSpriteTextureSize * kSpriteTextureSize> SpriteTexture();

}  // namespace veyora
