#include "tests/renderer/program/renderer_session.h"

#include <chrono>
#include <optional>
#include <thread>

#include "platform/window_search.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

constexpr platform::ScreenRect kLeft{0, 0, 640, 720}, kRight{640, 0, 1280, 720},
    kSmallRight{640, 0, 1120, 600};

// The untitled window of the renderer, which a monitor other than the first has.
Window OtherWindow(Display* display) {
  return platform::FindTopLevelWindow(display, "", names::kRendererClass);
}

bool OtherWindowCovers(Display* display, const platform::ScreenRect& rect) {
  return testsupport::WaitUntil(
      [&] {
        const Window other = OtherWindow(display);
        return other && platform::WindowScreenRect(display, other) == rect;
      },
      kEndWithinMs, 50);
}

// Moves the pointer to and fro until the run ends; its status, if it ended.
std::optional<int> EndByPointerMovements(RendererSession& session) {
  int x = 100;
  std::optional<int> status;
  testsupport::WaitUntil(
      [&] {
        session.MovePointer(x = 700 - x, 300);
        status = session.ExitStatus(100);
        return status.has_value();
      },
      kEndWithinMs);
  return status;
}

// A monitor added during the run gets a window and a glow of its own, one resized
// gets its window laid out again, and one removed loses its window, while the first
// monitor's window goes on drawing throughout; the pointer the server moves off the
// monitor removed does not end the run, and a real pointer movement after all of
// that still does.
TEST(RendererMonitorChangeTest, MonitorsAddedResizedAndRemovedDuringTheRun) {
  RendererSession session(1280, 720);
  ASSERT_TRUE(session.display());
  session.RunOnDisplay("xrandr --setmonitor VL 640/160x720/90+0+0 screen");
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  ASSERT_EQ(platform::WindowScreenRect(display, session.window()), kLeft);
  EXPECT_EQ(OtherWindow(display), 0u);

  session.RunOnDisplay("xrandr --setmonitor VR 640/160x720/90+640+0 none");
  ASSERT_TRUE(OtherWindowCovers(display, kRight));
  EXPECT_TRUE(ShowsMovingGlow(display, kRight, kEndWithinMs));
  EXPECT_NE(ScreenPixels(display, kLeft), ScreenPixels(display, kRight));

  session.RunOnDisplay("xrandr --delmonitor VR");
  session.RunOnDisplay("xrandr --setmonitor VR 480/120x600/75+640+0 none");
  ASSERT_TRUE(OtherWindowCovers(display, kSmallRight));
  EXPECT_TRUE(ShowsMovingGlow(display, kSmallRight, kEndWithinMs));

  // The pointer stands on the monitor removed, and the server moves it onto the one
  // left, as it does when a monitor goes, once the resize before has long settled
  // and before the renderer has seen the monitor go.
  session.MovePointer(900, 300);
  ASSERT_TRUE(ShowsMovingGlow(display, kSmallRight, kEndWithinMs));
  std::this_thread::sleep_for(std::chrono::seconds(1));
  session.RunOnDisplay("xrandr --delmonitor VR");
  XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 300, 300);
  XSync(display, False);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return OtherWindow(display) == 0; }, kEndWithinMs, 50));
  EXPECT_EQ(platform::WindowScreenRect(display, session.window()), kLeft);
  EXPECT_TRUE(ShowsMovingGlow(display, kLeft, kEndWithinMs));
  ASSERT_TRUE(session.renderer().Running());

  EXPECT_EQ(EndByPointerMovements(session), 0);
}

// With the last monitor gone (the server's one output turned off) the run waits
// with its window hidden, and draws again once the monitor is back, where a pointer
// movement still ends it.
TEST(RendererMonitorChangeTest, NoMonitorLeftWaitsUntilOneIsBack) {
  RendererSession session(1280, 720);
  ASSERT_TRUE(session.display());
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  constexpr platform::ScreenRect kWhole{0, 0, 1280, 720};
  ASSERT_TRUE(ShowsMovingGlow(display, kWhole, kEndWithinMs));
  const auto shown = [&] {
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, session.window(), &attributes) &&
           attributes.map_state == IsViewable;
  };

  // xrandr fails after turning the output off, on shrinking the screen to nothing.
  session.RunOnDisplay("xrandr --output screen --off");
  ASSERT_TRUE(testsupport::WaitUntil([&] { return !shown(); }, kEndWithinMs, 50));
  ASSERT_TRUE(session.renderer().Running());

  session.RunOnDisplay("xrandr --output screen --auto");
  ASSERT_TRUE(testsupport::WaitUntil(shown, kEndWithinMs, 50));
  EXPECT_TRUE(ShowsMovingGlow(display, kWhole, kEndWithinMs));
  ASSERT_TRUE(session.renderer().Running());

  EXPECT_EQ(EndByPointerMovements(session), 0);
}

// When the monitor of the titled window, which holds the focus, goes, the title and
// the focus go to another monitor's window, and the run goes on until input ends it.
TEST(RendererMonitorChangeTest, TheTitledMonitorRemovedHandsTitleAndFocusOn) {
  RendererSession session(1280, 720);
  ASSERT_TRUE(session.display());
  session.RunOnDisplay("xrandr --setmonitor VL 640/160x720/90+0+0 screen");
  session.RunOnDisplay("xrandr --setmonitor VR 640/160x720/90+640+0 none");
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  ASSERT_EQ(platform::WindowScreenRect(display, session.window()), kLeft);
  ASSERT_TRUE(OtherWindowCovers(display, kRight));

  // The screen's own monitor, the whole screen, comes back in VL's place.
  session.RunOnDisplay("xrandr --delmonitor VL");
  Window titled = 0;
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] {
        titled =
            platform::FindTopLevelWindow(display, names::kRendererTitle, names::kRendererClass);
        return titled && titled != session.window();
      },
      kEndWithinMs, 50));
  EXPECT_TRUE(testsupport::WaitForFocus(display, titled, kEndWithinMs));
  EXPECT_TRUE(ShowsMovingGlow(display, platform::WindowScreenRect(display, titled), kEndWithinMs));
  ASSERT_TRUE(session.renderer().Running());

  session.PressKey(true);
  session.PressKey(false);
  EXPECT_EQ(session.ExitStatus(kEndWithinMs), 0);
}

}  // namespace
}  // namespace veyora::testing
