#include <gtest/gtest.h>

#include "frontend/dialog/zoom_frames.h"

using namespace veyora::frontend;

TEST(ZoomFrames, MoveEvenlyFromThePointToTheWindowAndEndOnIt) {
  const platform::ScreenRect point{100, 50, 100, 50};
  const platform::ScreenRect window{0, 0, 400, 200};
  const std::vector<platform::ScreenRect> frames = ZoomFrames(point, window, 4);
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], (platform::ScreenRect{75, 37, 175, 88}));
  EXPECT_EQ(frames[1], (platform::ScreenRect{50, 25, 250, 125}));
  EXPECT_EQ(frames.back(), window);
  EXPECT_EQ(ZoomFrames(window, point, 4).back(), point);
  EXPECT_TRUE(ZoomFrames(point, window, 0).empty());
}
