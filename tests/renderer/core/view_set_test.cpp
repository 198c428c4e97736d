#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdlib>
#include <memory>

#include "renderer/core/view_set.h"
#include "renderer/gl/gl_sprite_sink.h"
#include "renderer/gl/surface_request.h"
#include "tests/support/xvfb_server.h"

namespace veyora {
namespace {

// What the test sees of one view's platform side.
struct NativeState {
  bool wanted = true;
  int framesStarted = 0;
  bool closed = false;
};

class TestWindow final : public NativeWindow {
 public:
  explicit TestWindow(NativeState& state) : state_(state) {}
  ~TestWindow() override { state_.closed = true; }
  bool FrameWanted() const override { return state_.wanted; }
  void FrameStarting() override { ++state_.framesStarted; }

 private:
  NativeState& state_;
};

// Views opened, drawn, resized and closed in the middle of a run, as monitors come
// and go: the others keep drawing at the addresses they had.
TEST(ViewSetTest, ViewsComeAndGoWhileTheOthersKeepDrawing) {
  testsupport::XvfbServer server(640, 480);
  ASSERT_TRUE(server.Running());
  setenv("DISPLAY", server.Display().c_str(), 1);
  setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  RequestEquivalentSurface();
  {
    ViewSet views;
    NativeState states[3];
    auto open = [&](int index) -> View& {
      SDL_Window* window = SDL_CreateWindow("view", index * 200, 0, 160, 120,
                                            SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS);
      EXPECT_TRUE(window) << SDL_GetError();
      return views.Open(window, 7 + index, std::make_unique<TestWindow>(states[index]));
    };
    View& first = open(0);
    View& second = open(1);
    ASSERT_TRUE(first.Drawing().HasContext());
    ASSERT_TRUE(second.Drawing().HasContext());
    GlSpriteSink sink;

    EXPECT_TRUE(views.DrawThenPresent(sink));
    states[1].wanted = false;
    EXPECT_TRUE(views.DrawThenPresent(sink));
    EXPECT_EQ(states[0].framesStarted, 2);
    EXPECT_EQ(states[1].framesStarted, 1);

    const std::uint32_t firstId = first.Id();
    views.Close(firstId);
    EXPECT_TRUE(states[0].closed);
    EXPECT_EQ(views.Find(firstId), nullptr);
    EXPECT_FALSE(views.AnyFrameWanted());
    EXPECT_FALSE(views.DrawThenPresent(sink));

    View& third = open(2);
    EXPECT_EQ(views.Find(second.Id()), &second);
    EXPECT_EQ(views.Find(third.Id()), &third);
    SDL_SetWindowSize(second.SdlWindow(), 300, 200);
    views.FollowSize(second.Id());
    states[1].wanted = true;
    EXPECT_TRUE(views.DrawThenPresent(sink));
    EXPECT_EQ(states[1].framesStarted, 2);
    EXPECT_EQ(states[2].framesStarted, 1);

    views.CloseAll();
    EXPECT_TRUE(views.Empty());
    EXPECT_TRUE(states[1].closed && states[2].closed);
  }
  SDL_Quit();
}

}  // namespace
}  // namespace veyora
