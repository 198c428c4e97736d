#include <gtest/gtest.h>

#include <cmath>

#include "renderer/gl/sprite_texture.h"

namespace veyora {
namespace {

int Texel(int row, int column) {
  static const auto texels = SpriteTexture();
  return texels[row * kSpriteTextureSize + column];
}

TEST(SpriteTextureTest, SampleTexels) {
  EXPECT_EQ(Texel(32, 32), 255);
  EXPECT_EQ(Texel(32, 33), 239);
  EXPECT_EQ(Texel(32, 48), 63);
  EXPECT_EQ(Texel(16, 16), 21);
  EXPECT_EQ(Texel(32, 63), 0);
  EXPECT_EQ(Texel(0, 0), 0);
}

TEST(SpriteTextureTest, SingleBrightestTexelAndBlackBeyondTheRadius) {
  for (int row = 0; row < kSpriteTextureSize; ++row) {
    for (int column = 0; column < kSpriteTextureSize; ++column) {
      const double distance = std::hypot(row - 32, column - 32);
      if (row != 32 || column != 32) {
        EXPECT_LT(Texel(row, column), 255);
      }
      if (distance >= 32.0) {
        EXPECT_EQ(Texel(row, column), 0) << row << "," << column;
      }
    }
    // Row 0 and column 0 are wholly black.
    EXPECT_EQ(Texel(0, row), 0);
    EXPECT_EQ(Texel(row, 0), 0);
  }
  // Round: the same at equal distances in the four directions.
  EXPECT_EQ(Texel(32, 40), Texel(40, 32));
  EXPECT_EQ(Texel(32, 24), Texel(24, 32));
}

}  // namespace
}  // namespace veyora
