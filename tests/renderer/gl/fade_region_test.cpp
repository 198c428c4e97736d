#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "renderer/gl/fade_region.h"
#include "renderer/gl/fade_settling.h"
#include "renderer/gl/view_geometry.h"
#include "renderer/scene/scene_parameters.h"

namespace veyora {
namespace {

TEST(FadeSettlingTest, TheBrightestLevelSettlesAfterTheFadesItsArithmeticTakes) {
  const float alpha = FadeAlpha(SceneParameters{}.FadeStrength);
  struct Case {
    const char* name;
    FadeArithmetic arithmetic;
    std::uint32_t fades;
  };
  const Case cases[] = {
      {"8 bits stepping down", {8, alpha, 5, true}, 63},
      {"8 bits stepping down, any rounding", {8, alpha, 5, false}, 93},
      {"8 bits, no step", {8, alpha, 0, true}, 41},
      {"16 bits", {16, alpha, 0, true}, 101},
      {"16 bits, any rounding", {16, alpha, 0, false}, 101},
      {"an opaque fade", {8, 1.0f, 0, true}, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(FadesUntilSettled(c.arithmetic), c.fades) << c.name;
}

// The tiles of each rectangle, counted; fails on a tile counted twice.
std::vector<int> TileCounts(const FadeRegion& region, const std::vector<PixelRect>& rects) {
  const int columns = (region.Width() + FadeRegion::kTileSize - 1) / FadeRegion::kTileSize;
  const int rows = (region.Height() + FadeRegion::kTileSize - 1) / FadeRegion::kTileSize;
  std::vector<int> counts(static_cast<std::size_t>(columns) * rows, 0);
  for (const PixelRect& r : rects) {
    for (int y = r.y; y < r.y + r.height; y += FadeRegion::kTileSize) {
      for (int x = r.x; x < r.x + r.width; x += FadeRegion::kTileSize) {
        ++counts[static_cast<std::size_t>(y / FadeRegion::kTileSize) * columns +
                 x / FadeRegion::kTileSize];
      }
    }
  }
  return counts;
}

TEST(FadeRegionTest, FadesWhatSpritesDrewOnForTheSettlingFramesOnceEachAndNothingElse) {
  constexpr std::uint32_t kSettle = 3;
  // 100 x 70: partial tiles at the right and the top.
  FadeRegion region(100, 70, kSettle);
  region.StartFrame();
  EXPECT_TRUE(region.FadeRects().empty());
  EXPECT_EQ(region.ChangedBands(), (std::vector<PixelRect>{{0, 0, 100, 70}}));
  // Two sprites: tiles (0..1, 0) and (2..3, 1..2), four tiles to a row.
  region.MarkDrawn({10, 5, 30, 10});
  region.MarkDrawn({90, 40, 40, 40});
  for (std::uint32_t frame = 1; frame <= kSettle + 1; ++frame) {
    region.StartFrame();
    const bool fading = frame <= kSettle;
    const std::vector<int> counts = TileCounts(region, region.FadeRects());
    const std::vector<int> expected = {fading, fading, 0, 0, 0,      0,
                                       fading, fading, 0, 0, fading, fading};
    EXPECT_EQ(counts, expected) << "frame " << frame;
    for (const PixelRect& r : region.FadeRects()) {
      EXPECT_LE(r.x + r.width, 100);
      EXPECT_LE(r.y + r.height, 70);
    }
  }
  EXPECT_TRUE(region.ChangedBands().empty());
  EXPECT_EQ(region.FadedShare(), 0.0);
  // Drawn on again: changed at once (shown as its band of tile rows), faded from
  // the next frame on.
  region.MarkDrawn({0, 0, 1, 1});
  EXPECT_EQ(region.ChangedBands(), (std::vector<PixelRect>{{0, 0, 32, 70}}));
  region.StartFrame();
  EXPECT_EQ(region.FadeRects(), (std::vector<PixelRect>{{0, 0, 32, 32}}));
}

TEST(SpriteFootprintTest, CoversTheSquareOnScreenAndNothingWhereNothingIsDrawn) {
  constexpr int kWidth = 1280, kHeight = 720;
  // A sprite at the origin, 0.2 units across at 2.5 units: about 24 pixels.
  const PixelRect centre = SpriteFootprint(kWidth, kHeight, 0, 0, 0, 0.1f);
  EXPECT_LE(centre.x, 628);
  EXPECT_GE(centre.x + centre.width, 652);
  EXPECT_LT(centre.width, 32);
  EXPECT_LE(centre.y, 348);
  EXPECT_GE(centre.y + centre.height, 372);
  // Behind the near plane, or far off to the side: nothing.
  EXPECT_EQ(SpriteFootprint(kWidth, kHeight, 0, 0, 3.0f, 0.1f).Area(), 0);
  EXPECT_EQ(SpriteFootprint(kWidth, kHeight, 50.0f, 0, 0, 0.1f).Area(), 0);
  // Right in front of the eye: the whole view; a point run away: the whole view.
  EXPECT_EQ(SpriteFootprint(kWidth, kHeight, 0, 0, 2.485f, 0.1f),
            (PixelRect{0, 0, kWidth, kHeight}));
  EXPECT_EQ(SpriteFootprint(kWidth, kHeight, std::nanf(""), 0, 0, 0.1f),
            (PixelRect{0, 0, kWidth, kHeight}));
}

}  // namespace
}  // namespace veyora
