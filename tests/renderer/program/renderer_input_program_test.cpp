#include "tests/renderer/program/renderer_session.h"

#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

TEST(RendererInputProgramTest, EndsOnAKeyPress) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  session.PressKey(true);
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
  session.PressKey(false);
}

class RendererButtonTest : public ::testing::TestWithParam<unsigned> {};

TEST_P(RendererButtonTest, EndsOnAButtonPress) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  session.PressButton(GetParam(), true);
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
  session.PressButton(GetParam(), false);
}

INSTANTIATE_TEST_SUITE_P(Buttons, RendererButtonTest, ::testing::Values(1u, 2u, 3u));

TEST(RendererInputProgramTest, WheelStepsDoNotEndIt) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  for (unsigned wheel : {4u, 5u, 4u}) {
    session.PressButton(wheel, true);
    session.PressButton(wheel, false);
  }
  ASSERT_TRUE(session.PictureChanges());
  EXPECT_TRUE(session.renderer().Running());
}

TEST(RendererInputProgramTest, EndsWhenAnotherClientTakesTheFocus) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 50, 50, 0, 0, 0);
  XMapRaised(display, other);
  XSync(display, False);
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] {
        XWindowAttributes attributes{};
        return XGetWindowAttributes(display, other, &attributes) &&
               attributes.map_state == IsViewable;
      },
      kEndWithinMs));
  XSetInputFocus(display, other, RevertToParent, CurrentTime);
  XSync(display, False);
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
}

TEST(RendererInputProgramTest, SmallMotionsKeepItRunningAndALargerOneEndsIt) {
  RendererSession session;
  ASSERT_TRUE(session.display());
  session.MovePointer(100, 100);
  ASSERT_TRUE(session.Start());
  // Each motion must be handled before the next: the distance is measured on the
  // pointer's position at the time the renderer handles the event.
  session.MovePointer(103, 101);  // 3 + 1 = 4
  ASSERT_TRUE(session.PictureChanges());
  session.MovePointer(106, 102);  // 4 again
  ASSERT_TRUE(session.PictureChanges());
  EXPECT_TRUE(session.renderer().Running());
  session.MovePointer(109, 104);  // 3 + 2 = 5
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
}

}  // namespace
}  // namespace veyora::testing
