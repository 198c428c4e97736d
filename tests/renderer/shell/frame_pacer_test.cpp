#include <gtest/gtest.h>

#include "renderer/shell/frame_pacer.h"

namespace veyora {
namespace {

TEST(FramePacerTest, RefreshPeriodFallsBackTo60Hz) {
  EXPECT_DOUBLE_EQ(RefreshPeriod(75), 1.0 / 75);
  EXPECT_DOUBLE_EQ(RefreshPeriod(0), 1.0 / 60);
  EXPECT_DOUBLE_EQ(RefreshPeriod(-1), 1.0 / 60);
}

TEST(FramePacerTest, OnlyFramesTheDisplayDidNotHoldAreStretched) {
  const double period = 1.0 / 60;
  EXPECT_DOUBLE_EQ(0.002 + PacingDelay(0.002, period), period);
  // Held by a waiting swap (a whole period or most of it), or slower still.
  EXPECT_EQ(PacingDelay(period, period), 0.0);
  EXPECT_EQ(PacingDelay(0.8 * period, period), 0.0);
  EXPECT_EQ(PacingDelay(3 * period, period), 0.0);
}

}  // namespace
}  // namespace veyora
