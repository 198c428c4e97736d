// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include "frontend/saver/renderer_window_look_up.h"

#include <X11/Xlib.h>

#include "platform/x_connection.h"
#include "tests/support/xvfb_server.h"

namespace {

class RendererWindowLookUpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_.Running());
    display_ = XOpenDisplay(server_.Display().c_str());
    ASSERT_NE(display_, nullptr);
    platform::TolerateXErrors();
  }
  void TearDown() override {
    if (display_) XCloseDisplay(display_);
  }

  Window MakeWindow(const char* title) {
    Window window = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 10, 10, 0, 0, 0);
    Retitle(window, title);
    return window;
  }
  void Retitle(Window window, const char* title) {
    XStoreName(display_, window, title);
    XSync(display_, False);
  }
  void Destroy(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
  }

  testsupport::XvfbServer server_{320, 240};
  Display* display_ = nullptr;
};

TEST_F(RendererWindowLookUpTest, AnswersLikeAFullSearchWhileWindowsComeGoAndChangeTitle) {
  RendererWindowLookUp lookUp(display_, "Quorin05_VC");
  EXPECT_FALSE(lookUp.WindowPresent());

  const Window first = MakeWindow("Quorin05_VC");
  EXPECT_TRUE(lookUp.WindowPresent());
  const Window second = MakeWindow("Quorin05_VC");
  Destroy(first);
  EXPECT_TRUE(lookUp.WindowPresent());

  // The window found before loses the title while a newer one gains it.
  const Window third = MakeWindow("Screensaver");
  Retitle(second, "Quorin05_VC2");
  EXPECT_FALSE(lookUp.WindowPresent());
  Retitle(third, "Quorin05_VC");
  EXPECT_TRUE(lookUp.WindowPresent());
  Destroy(third);
  EXPECT_FALSE(lookUp.WindowPresent());
  Destroy(second);
}

}  // namespace
