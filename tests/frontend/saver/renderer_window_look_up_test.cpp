// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include "frontend/saver/renderer_window_look_up.h"

#include <X11/Xlib.h>

#include "platform/shared_names.h"
#include "tests/support/private_display_test.h"

using namespace veyora::frontend;

namespace {

class RendererWindowLookUpTest : public testsupport::PrivateDisplayTest {
 protected:
  RendererWindowLookUpTest() : PrivateDisplayTest(320, 240) {}

  void Retitle(Window window, const char* title) {
    XStoreName(display_, window, title);
    XSync(display_, False);
  }
  void Destroy(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
  }
};

TEST_F(RendererWindowLookUpTest, AnswersLikeAFullSearchWhileWindowsComeGoAndChangeTitle) {
  RendererWindowLookUp lookUp(display_, names::kRendererTitle);
  EXPECT_FALSE(lookUp.WindowPresent());

  const Window first = MakeTitledWindow(names::kRendererTitle);
  EXPECT_TRUE(lookUp.WindowPresent());
  const Window second = MakeTitledWindow(names::kRendererTitle);
  Destroy(first);
  EXPECT_TRUE(lookUp.WindowPresent());

  // The window found before loses the title while a newer one gains it.
  const Window third = MakeTitledWindow(names::kRendererCreationTitle);
  Retitle(second, "Quorin05_VC2");
  EXPECT_FALSE(lookUp.WindowPresent());
  Retitle(third, names::kRendererTitle);
  EXPECT_TRUE(lookUp.WindowPresent());
  Destroy(third);
  EXPECT_FALSE(lookUp.WindowPresent());
  Destroy(second);
}

}  // namespace
