#include <gtest/gtest.h>

#include "renderer/core/renderer_input.h"

namespace veyora {
namespace {

constexpr ScreenPoint kStart{100, 100};

TEST(RendererInputTest, CloseBeforeAnyInputIsIgnored) {
  RendererInput input(kStart);
  EXPECT_EQ(input.CloseRequested(), InputAction::KeepRunning);
  // The first motion does not count as input either, however small.
  EXPECT_EQ(input.MouseMoved({101, 100}), InputAction::KeepRunning);
  EXPECT_EQ(input.CloseRequested(), InputAction::KeepRunning);
}

TEST(RendererInputTest, KeysButtonsAndDeactivationEndIt) {
  RendererInput key(kStart);
  EXPECT_EQ(key.KeyOrButtonPressed(), InputAction::PostClose);
  EXPECT_EQ(key.CloseRequested(), InputAction::EndRenderer);

  RendererInput deactivated(kStart);
  EXPECT_EQ(deactivated.Deactivated(), InputAction::PostClose);
  EXPECT_EQ(deactivated.CloseRequested(), InputAction::EndRenderer);
}

TEST(RendererInputTest, OnlyButtonsOneToThreeCount) {
  EXPECT_TRUE(EndsOnButton(1));
  EXPECT_TRUE(EndsOnButton(2));
  EXPECT_TRUE(EndsOnButton(3));
  EXPECT_FALSE(EndsOnButton(0));
  EXPECT_FALSE(EndsOnButton(4));
  EXPECT_FALSE(EndsOnButton(5));
}

TEST(RendererInputTest, DistanceIsTheSumOfTheAbsoluteSteps) {
  RendererInput input(kStart);
  EXPECT_EQ(input.MouseMoved({103, 101}), InputAction::KeepRunning);  // first motion
  EXPECT_EQ(input.MouseMoved({106, 102}), InputAction::KeepRunning);  // 3 + 1 = 4
  EXPECT_TRUE(input.InputSeen());
  EXPECT_EQ(input.MouseMoved({103, 104}), InputAction::PostClose);  // 3 + 2 = 5
  EXPECT_EQ(input.CloseRequested(), InputAction::EndRenderer);
}

TEST(RendererInputTest, SlowDriftNeverEndsIt) {
  RendererInput input(kStart);
  for (int step = 1; step <= 100; ++step) {
    ASSERT_EQ(input.MouseMoved({100 + 2 * step, 100 - 2 * step}), InputAction::KeepRunning);
  }
  EXPECT_EQ(input.LastCursorPos().x, 300);
}

TEST(RendererInputTest, FirstLargeMotionPostsAnIgnoredCloseAndTheNextOneEndsIt) {
  RendererInput input(kStart);
  // The pointer moved far since creation: a close is posted but not honoured, and
  // the reference stays where it was.
  EXPECT_EQ(input.MouseMoved({120, 100}), InputAction::PostClose);
  EXPECT_EQ(input.CloseRequested(), InputAction::KeepRunning);
  EXPECT_EQ(input.LastCursorPos().x, 100);
  // The next motion counts, and is measured from the old reference.
  EXPECT_EQ(input.MouseMoved({120, 100}), InputAction::PostClose);
  EXPECT_EQ(input.CloseRequested(), InputAction::EndRenderer);
}

}  // namespace
}  // namespace veyora
