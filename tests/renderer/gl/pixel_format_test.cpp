#include <gtest/gtest.h>

#include <vector>

#include "renderer/gl/pixel_format.h"

namespace veyora {
namespace {

PixelFormat Hardware(int colourBits, int depthBits) {
  PixelFormat f;
  f.colourBits = colourBits;
  f.depthBits = depthBits;
  return f;
}

PixelFormat Generic(int colourBits, int depthBits, bool accelerated) {
  PixelFormat f = Hardware(colourBits, depthBits);
  f.generic = true;
  f.genericAccelerated = accelerated;
  return f;
}

TEST(PixelFormatScoreTest, Examples) {
  EXPECT_EQ(PixelFormatScore(Hardware(32, 24)), 2072);
  EXPECT_EQ(PixelFormatScore(Hardware(16, 16)), 2048);
  EXPECT_EQ(PixelFormatScore(Generic(16, 16, true)), 1048);
  EXPECT_EQ(PixelFormatScore(Generic(24, 32, false)), 84);
}

TEST(PixelFormatScoreTest, ColourPenaltyOnlyAbove16Bits) {
  EXPECT_EQ(PixelFormatScore(Hardware(15, 16)), 15 + 32 + 2000);
  EXPECT_EQ(PixelFormatScore(Hardware(16, 0)), 2016);
  // 17 bits lose half a bit, truncated towards zero: nothing.
  EXPECT_EQ(PixelFormatScore(Hardware(17, 0)), 2017);
  EXPECT_EQ(PixelFormatScore(Hardware(24, 0)), 2020);
}

TEST(ChoosePixelFormatTest, BestScoreWinsAndTiesGoToTheLowerNumber) {
  const std::vector<PixelFormat> formats{Generic(24, 32, false), Hardware(16, 16), Hardware(32, 24),
                                         Hardware(32, 24)};
  EXPECT_EQ(ChoosePixelFormat(formats), 3);
}

TEST(ChoosePixelFormatTest, UnusableFormatsAreNeverChosen) {
  PixelFormat single = Hardware(32, 32);
  single.doubleBuffered = false;
  PixelFormat colourIndex = Hardware(32, 32);
  colourIndex.rgba = false;
  PixelFormat offscreen = Hardware(32, 32);
  offscreen.drawsToWindow = false;
  PixelFormat noGl = Hardware(32, 32);
  noGl.supportsOpenGL = false;
  const std::vector<PixelFormat> formats{single, colourIndex, offscreen, noGl,
                                         Generic(16, 16, false)};
  EXPECT_EQ(ChoosePixelFormat(formats), 5);
  EXPECT_EQ(ChoosePixelFormat(std::vector<PixelFormat>{single, colourIndex}), 0);
  EXPECT_EQ(ChoosePixelFormat(std::vector<PixelFormat>{}), 0);
}

}  // namespace
}  // namespace veyora
