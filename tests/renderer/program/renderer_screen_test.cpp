#include "tests/renderer/program/renderer_session.h"

#include <X11/extensions/scrnsaver.h>

#include "tests/renderer/screen_pixels.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

constexpr int kWithinMs = 30000;
constexpr platform::ScreenRect kScreen{0, 0, 640, 480};

bool ServerSaverOn(Display* display) {
  XScreenSaverInfo info{};
  return XScreenSaverQueryInfo(display, DefaultRootWindow(display), &info) &&
         info.state == ScreenSaverOn;
}

TEST(RendererScreenTest, DrawsNothingWhileTheServersSaverIsOnAndResumesAfter) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  session.RunOnDisplay("xset s activate");
  // The picture comes to rest and stays put for a while.
  EXPECT_TRUE(PictureComesToRest(session.display(), kScreen, 2000, kWithinMs));
  EXPECT_TRUE(ServerSaverOn(session.display()));
  EXPECT_TRUE(session.renderer().Running());
  session.RunOnDisplay("xset s reset");
  EXPECT_TRUE(session.PictureChanges());
}

TEST(RendererScreenTest, TheServersSaverStillComesOnAfterItsTimeout) {
  RendererSession session;
  ASSERT_TRUE(session.Start());
  session.RunOnDisplay("xset s 2");
  EXPECT_TRUE(testsupport::WaitUntil([&] { return ServerSaverOn(session.display()); }, kWithinMs));
  EXPECT_TRUE(session.renderer().Running());
}

TEST(RendererScreenTest, StartedWhileTheServersSaverIsOnItTurnsItOffAndShowsTheGlow) {
  RendererSession session;
  ASSERT_TRUE(session.display());
  session.RunOnDisplay("xset s activate");
  ASSERT_TRUE(ServerSaverOn(session.display()));
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(testsupport::WaitUntil([&] { return !ServerSaverOn(session.display()); }, kWithinMs));
  EXPECT_TRUE(ShowsMovingGlow(session.display(), kScreen, kWithinMs));
}

}  // namespace
}  // namespace veyora::testing
