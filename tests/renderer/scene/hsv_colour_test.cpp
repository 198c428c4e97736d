#include <gtest/gtest.h>

#include "renderer/scene/hsv_colour.h"

namespace veyora {
namespace {

void ExpectRgb(const std::array<float, 3>& rgb, float r, float g, float b) {
  EXPECT_NEAR(rgb[0], r, 1e-5f);
  EXPECT_NEAR(rgb[1], g, 1e-5f);
  EXPECT_NEAR(rgb[2], b, 1e-5f);
}

TEST(HsvToRgbTest, SextantCorners) {
  ExpectRgb(HsvToRgb(0.0f, 1.0f, 1.0f), 1, 0, 0);
  ExpectRgb(HsvToRgb(0.166667f, 1.0f, 1.0f), 1, 1, 0);
  ExpectRgb(HsvToRgb(0.333333f, 1.0f, 1.0f), 0, 1, 0);
  // 0.5 opens the fourth sextant: green 1, blue 1.
  ExpectRgb(HsvToRgb(0.5f, 1.0f, 1.0f), 0, 1, 1);
  ExpectRgb(HsvToRgb(0.666667f, 1.0f, 1.0f), 0, 0, 1);
  ExpectRgb(HsvToRgb(0.833333f, 1.0f, 1.0f), 1, 0, 1);
}

TEST(HsvToRgbTest, BoundsAreTheSixDigitDecimals) {
  // Between 1/6 and 0.166667 the first sextant still applies, so green overshoots 1;
  // at 0.166667 itself the second sextant starts from exactly red 1, green 1.
  const auto above = HsvToRgb(0.1666669f, 1.0f, 1.0f);
  EXPECT_EQ(above[0], 1.0f);
  EXPECT_GT(above[1], 1.0f);
  const auto at = HsvToRgb(0.166667f, 1.0f, 1.0f);
  EXPECT_EQ(at[0], 1.0f);
  EXPECT_EQ(at[1], 1.0f);
  // A hue of exactly 1 lands in the last sextant with blue a hair below zero.
  EXPECT_LT(HsvToRgb(1.0f, 1.0f, 1.0f)[2], 0.0f);
}

TEST(HsvToRgbTest, SaturationAndValue) {
  for (float hue : {0.0f, 0.2f, 0.45f, 0.6f, 0.9f}) {
    ExpectRgb(HsvToRgb(hue, 0.0f, 0.25f), 0.25f, 0.25f, 0.25f);
  }
  // Half saturation pulls each channel half way to white, then value scales.
  ExpectRgb(HsvToRgb(0.0f, 0.5f, 0.5f), 0.5f, 0.25f, 0.25f);
}

}  // namespace
}  // namespace veyora
