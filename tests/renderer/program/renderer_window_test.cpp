#include "tests/renderer/program/renderer_session.h"

#include <X11/Xutil.h>

#include <fstream>
#include <sstream>

#include "platform/window_search.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {
namespace {

// The nice value of a process, field 19 of /proc/<pid>/stat.
int NiceValue(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), {});
  std::istringstream fields(text.substr(text.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 19; ++i) fields >> field;
  return std::stoi(field);
}

class RendererWindowTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(RendererWindowTest, CoversTheScreenWithItsTitleAndClassAtLowerPriority) {
  const auto [width, height] = GetParam();
  RendererSession session(width, height);
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  EXPECT_EQ(platform::WindowTitle(display, session.window()), names::kRendererTitle);
  EXPECT_EQ(platform::WindowClass(display, session.window()), names::kRendererClass);
  const platform::ScreenRect rect = platform::WindowScreenRect(display, session.window());
  EXPECT_EQ(rect.left, 0);
  EXPECT_EQ(rect.top, 0);
  EXPECT_EQ(rect.Width(), width);
  EXPECT_EQ(rect.Height(), height);
  EXPECT_GT(NiceValue(session.renderer().Pid()), 0);
  EXPECT_TRUE(session.renderer().Running());
}

INSTANTIATE_TEST_SUITE_P(ScreenSizes, RendererWindowTest,
                         ::testing::Values(std::pair{640, 480}, std::pair{1024, 576}));

TEST(RendererPictureTest, DrawsAGlowThatMovesFromFrameToFrame) {
  RendererSession session(640, 480);
  ASSERT_TRUE(session.Start());
  EXPECT_TRUE(ShowsMovingGlow(session.display(), {0, 0, 640, 480}, 30000));
}

// Each monitor's window has a view of its own, so its glow is centred on it; where
// the cloud stands at a given moment is the scene's, so only the windows are
// checked for that, and the picture for a moving glow on each half.
TEST(RendererMonitorTest, EveryMonitorShowsAGlowOfItsOwn) {
  constexpr platform::ScreenRect kLeft{0, 0, 640, 720}, kRight{640, 0, 1280, 720};
  RendererSession session(1280, 720);
  ASSERT_TRUE(session.display());
  // Two monitors side by side: the left one on the screen's output, the right one on none.
  session.RunOnDisplay("xrandr --setmonitor VL 640/160x720/90+0+0 screen");
  session.RunOnDisplay("xrandr --setmonitor VR 640/160x720/90+640+0 none");
  ASSERT_TRUE(session.Start());
  Display* display = session.display();
  // The titled window covers the first monitor (none is primary), the other its own.
  EXPECT_EQ(platform::WindowScreenRect(display, session.window()), kLeft);
  // The other monitor's window, of the same class and untitled, follows the titled one.
  EXPECT_TRUE(testsupport::WaitUntil(
      [&] {
        const Window other = platform::FindTopLevelWindow(display, "", names::kRendererClass);
        return other && platform::WindowScreenRect(display, other) == kRight;
      },
      30000));
  for (const platform::ScreenRect& half : {kLeft, kRight}) {
    EXPECT_TRUE(ShowsMovingGlow(display, half, 30000)) << half.left;
  }
  // Each monitor's scene has a seed of its own.
  EXPECT_NE(ScreenPixels(display, kLeft), ScreenPixels(display, kRight));
}

}  // namespace
}  // namespace veyora::testing
