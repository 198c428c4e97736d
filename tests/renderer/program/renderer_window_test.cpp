#include "tests/renderer/program/renderer_session.h"

#include <X11/Xutil.h>

#include <fstream>
#include <sstream>

#include "platform/window_search.h"
#include "tests/renderer/screen_pixels.h"

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
  EXPECT_TRUE(ShowsMovingGlow(session.display(), {0, 0, 640, 480}, 10000));
}

}  // namespace
}  // namespace veyora::testing
