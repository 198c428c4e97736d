#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "renderer/core/keyboard_focus.h"
#include "renderer/core/surface_motion.h"

namespace veyora {
namespace {

struct Motion {
  std::uint32_t window;
  int x;
  int y;
  std::optional<ScreenPoint> handedOn;  // nullopt: nothing for the input rules
};

TEST(SurfaceMotionTest, StepsOnEachWindowAddUpFromItsFirstPosition) {
  SurfaceMotion motion;
  const std::vector<Motion> motions = {
      {1, 300, 300, ScreenPoint{0, 0}},  // the window came up under the pointer
      {1, 302, 300, ScreenPoint{2, 0}},
      {1, 302, 303, ScreenPoint{2, 3}},
      {2, 5, 303, std::nullopt},  // over to the other output: a new start
      {2, 9, 303, ScreenPoint{6, 3}},
      {1, 1279, 303, ScreenPoint{1279 - 302 + 6, 3}},  // back without leaving first
  };
  for (const Motion& m : motions) {
    const std::optional<ScreenPoint> got = motion.Moved(m.window, m.x, m.y, 0.0);
    ASSERT_EQ(got.has_value(), m.handedOn.has_value()) << m.window << " " << m.x;
    if (got) {
      EXPECT_EQ(got->x, m.handedOn->x) << m.x;
      EXPECT_EQ(got->y, m.handedOn->y) << m.y;
    }
  }
  motion.Left(1);
  EXPECT_FALSE(motion.Moved(1, 0, 0, 0.0).has_value());  // entered afresh
}

TEST(SurfaceMotionTest, WhileWindowsSettleAfterAChangeJumpsOnlyMoveTheReference) {
  constexpr double kSettle = SurfaceMotion::kSettleSeconds;
  SurfaceMotion motion;
  ASSERT_TRUE(motion.Moved(1, 300, 300, 0.0).has_value());
  ASSERT_TRUE(motion.Moved(1, 301, 300, 0.1).has_value());
  motion.WindowsChanged(1.0);
  EXPECT_FALSE(motion.Moved(1, 1279, 300, 1.0).has_value());
  EXPECT_FALSE(motion.Moved(1, 300, 300, 1.0 + kSettle / 2).has_value());
  const std::optional<ScreenPoint> after = motion.Moved(1, 303, 300, 1.0 + kSettle);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->x, 4);  // 1 before the change, 3 after it settled
}

TEST(KeyboardFocusTest, OnlyALossThatNoGainFollowsLeavesUs) {
  constexpr double kMove = KeyboardFocus::kFocusMoveSeconds;
  // Focus never held cannot leave.
  KeyboardFocus never;
  never.Lost(1, 0.0);
  EXPECT_FALSE(never.LeftUs(10.0));

  // From one of our windows to the other.
  KeyboardFocus moved;
  moved.Gained(1);
  moved.Lost(1, 1.0);
  moved.Gained(2);
  EXPECT_FALSE(moved.LeftUs(1.0 + 2 * kMove));

  // Gained by the second window before the first one's loss arrives.
  KeyboardFocus overlapping;
  overlapping.Gained(1);
  overlapping.Gained(2);
  overlapping.Lost(1, 1.0);
  EXPECT_FALSE(overlapping.LeftUs(1.0 + 2 * kMove));

  // To another client: decided once the moving time has passed, and only once.
  KeyboardFocus left;
  left.Gained(1);
  left.Lost(1, 1.0);
  EXPECT_FALSE(left.LeftUs(1.0 + kMove / 2));
  EXPECT_DOUBLE_EQ(left.UntilDecided(1.0 + kMove / 2), kMove / 2);
  EXPECT_TRUE(left.LeftUs(1.0 + kMove));
  EXPECT_FALSE(left.LeftUs(1.0 + 2 * kMove));
  EXPECT_GT(left.UntilDecided(2.0), 1e9);
}

}  // namespace
}  // namespace veyora
