#include "tests/renderer/program/renderer_session.h"

#include <signal.h>

#include <algorithm>
#include <cstdio>

#include "platform/window_search.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

constexpr int kWithinMs = 30000;
constexpr platform::ScreenRect kHostRect{0, 0, 320, 240};

std::string Hex(Window window) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

// The top-level windows that are mapped.
std::vector<Window> MappedTopLevelWindows(Display* display) {
  std::vector<Window> mapped;
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count);
  for (unsigned int i = 0; i < count; ++i) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, children[i], &attributes);
    if (attributes.map_state != IsUnmapped) mapped.push_back(children[i]);
  }
  if (children) XFree(children);
  return mapped;
}

// A window made as a screen-saver host makes one, watching the key presses and
// pointer motion over it, and the renderer started to draw into it.
class RendererHostedTest : public ::testing::Test {
 protected:
  void SetUp() override {
    display_ = session_.display();
    ASSERT_TRUE(display_);
    host_ =
        XCreateSimpleWindow(display_, DefaultRootWindow(display_), kHostRect.left, kHostRect.top,
                            kHostRect.Width(), kHostRect.Height(), 0, 0, 0x404040);
    XSelectInput(display_, host_, KeyPressMask | PointerMotionMask);
    XMapWindow(display_, host_);
    XSync(display_, False);
  }

  bool HostGot(int eventType) {
    XEvent event;
    return XCheckTypedWindowEvent(display_, host_, eventType, &event);
  }

  RendererSession session_;
  Display* display_ = nullptr;
  Window host_ = 0;
};

TEST_F(RendererHostedTest, DrawsAMovingGlowInTheWindowAndLeavesTheInputToTheHost) {
  session_.Launch({"-window-id", Hex(host_)});
  ASSERT_TRUE(ShowsMovingGlow(display_, kHostRect, kWithinMs));
  EXPECT_EQ(MappedTopLevelWindows(display_), std::vector<Window>{host_});
  XSetInputFocus(display_, host_, RevertToParent, CurrentTime);
  for (int step = 0; step < 3; ++step) session_.MovePointer(100 + 40 * step, 100);
  session_.PressKey(true);
  session_.PressKey(false);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return HostGot(MotionNotify); }, kWithinMs));
  EXPECT_TRUE(testsupport::WaitUntil([&] { return HostGot(KeyPress); }, kWithinMs));
  ASSERT_TRUE(PictureChanges(display_, kHostRect, 3, kWithinMs));
  EXPECT_TRUE(session_.renderer().Running());
}

TEST_F(RendererHostedTest, FollowsTheWindowsSizeAndEndsWhenItIsDestroyed) {
  session_.Launch({"-window-id", Hex(host_)});
  ASSERT_TRUE(ShowsMovingGlow(display_, kHostRect, kWithinMs));
  XResizeWindow(display_, host_, 480, 360);
  XSync(display_, False);
  const platform::ScreenRect grown{0, 0, 480, 360};
  EXPECT_TRUE(testsupport::WaitUntil(
      [&] {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned int count = 0;
        XQueryTree(display_, host_, &root, &parent, &children, &count);
        const bool covers =
            count == 1 && platform::WindowScreenRect(display_, children[0]) == grown;
        if (children) XFree(children);
        return covers;
      },
      kWithinMs));
  // The part the window gained shows the picture too.
  const platform::ScreenRect gained{320, 0, 480, 360};
  const auto before = ScreenPixels(display_, gained);
  EXPECT_TRUE(
      testsupport::WaitUntil([&] { return ScreenPixels(display_, gained) != before; }, kWithinMs));
  XDestroyWindow(display_, host_);
  XSync(display_, False);
  EXPECT_EQ(session_.ExitStatus(kWithinMs), 0);
}

TEST_F(RendererHostedTest, SurvivesStopAndContinueAndEndsOnSigterm) {
  session_.Launch({"-window-id", std::to_string(host_)});  // decimal, as xsecurelock gives it
  ASSERT_TRUE(ShowsMovingGlow(display_, kHostRect, kWithinMs));
  session_.renderer().Signal(SIGSTOP);
  ASSERT_TRUE(PictureComesToRest(display_, kHostRect, 300, kWithinMs));
  session_.renderer().Signal(SIGCONT);
  EXPECT_TRUE(ShowsMovingGlow(display_, kHostRect, kWithinMs));
  session_.renderer().Signal(SIGTERM);
  EXPECT_EQ(session_.ExitStatus(kWithinMs), 0);
}

TEST_F(RendererHostedTest, AnIdThatIsNoLiveWindowEndsItWithOneLineOfError) {
  const Window gone = XCreateSimpleWindow(display_, host_, 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(display_, gone);
  XSync(display_, False);
  for (const std::string& id : {std::string("0"), std::string("garbage"), Hex(gone)}) {
    const RendererOutcome outcome = RunRendererToItsEnd(session_.displayName(), {"-window-id", id});
    EXPECT_EQ(outcome.status, 1) << id;
    EXPECT_EQ(std::count(outcome.errors.begin(), outcome.errors.end(), '\n'), 1) << id;
  }
}

}  // namespace
}  // namespace veyora::testing
