// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include "platform/window_search.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>

#include "platform/pointer_visibility.h"
#include "tests/support/private_display_test.h"

namespace {

class WindowSearchTest : public testsupport::PrivateDisplayTest {
 protected:
  WindowSearchTest() : PrivateDisplayTest(320, 240) {}

  Window MakeWindow(Window parent, const std::string& utf8Title, const char* wmClass,
                    bool legacyNameOnly = false) {
    Window w = XCreateSimpleWindow(display_, parent, 0, 0, 10, 10, 0, 0, 0);
    if (legacyNameOnly) {
      XStoreName(display_, w, utf8Title.c_str());
    } else {
      XChangeProperty(display_, w, XInternAtom(display_, "_NET_WM_NAME", False),
                      XInternAtom(display_, "UTF8_STRING", False), 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(utf8Title.data()),
                      static_cast<int>(utf8Title.size()));
    }
    if (wmClass) {
      XClassHint hint{const_cast<char*>("name"), const_cast<char*>(wmClass)};
      XSetClassHint(display_, w, &hint);
    }
    XSync(display_, False);
    return w;
  }

};

TEST_F(WindowSearchTest, FindsUnmappedWindowsByExactTitleAndClass) {
  Window root = DefaultRootWindow(display_);
  Window dialog = MakeWindow(root, "<Veyora(Ra05)>", nullptr);
  Window saver = MakeWindow(root, "Screensaver", "WindowsScreenSaverClass");
  MakeWindow(root, "Screensaver", "OtherClass");

  EXPECT_EQ(platform::FindTopLevelWindow(display_, "<Veyora(Ra05)>"), dialog);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "Screensaver", "WindowsScreenSaverClass"),
            saver);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "<Veyora(Ra05)"), None);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "screensaver"), None);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "Screensaver", "Missing"), None);
}

TEST_F(WindowSearchTest, LooksInsideFramesButNotInsideClients) {
  Window root = DefaultRootWindow(display_);
  Window frame = MakeWindow(root, "", nullptr);
  Window client = MakeWindow(frame, "Quorin05_VC", nullptr);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "Quorin05_VC"), client);

  // A child of a managed client window (WM_STATE set) is no top-level window.
  Window managed = MakeWindow(root, "host", nullptr);
  long state[2] = {1, 0};
  Atom wmState = XInternAtom(display_, "WM_STATE", False);
  XChangeProperty(display_, managed, wmState, wmState, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(state), 2);
  MakeWindow(managed, "Quorin05_Main", nullptr);
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "Quorin05_Main"), None);
}

TEST_F(WindowSearchTest, ReadsJapaneseAndLegacyTitles) {
  Window root = DefaultRootWindow(display_);
  Window japanese = MakeWindow(root, "設定ﾌｧｲﾙ", nullptr);
  Window legacy = MakeWindow(root, "Preview Window", nullptr, true);
  EXPECT_EQ(platform::WindowTitle(display_, japanese), "設定ﾌｧｲﾙ");
  EXPECT_EQ(platform::FindTopLevelWindow(display_, "Preview Window"), legacy);
}

TEST_F(WindowSearchTest, BadWindowIdsGiveEmptyAnswersWithoutEndingTheProcess) {
  const Window bogus = 0x7ffffff;
  EXPECT_FALSE(platform::WindowExists(display_, bogus));
  EXPECT_EQ(platform::WindowTitle(display_, bogus), "");
  platform::ScreenRect rect = platform::WindowScreenRect(display_, bogus);
  EXPECT_EQ(rect.Width(), 0);
  EXPECT_EQ(rect.Height(), 0);

  Window w = MakeWindow(DefaultRootWindow(display_), "gone", nullptr);
  XMoveResizeWindow(display_, w, 7, 9, 40, 30);
  platform::ScreenRect placed = platform::WindowScreenRect(display_, w);
  EXPECT_EQ(placed.left, 7);
  EXPECT_EQ(placed.top, 9);
  EXPECT_EQ(placed.Width(), 40);
  EXPECT_EQ(placed.Height(), 30);
  XDestroyWindow(display_, w);
  EXPECT_FALSE(platform::WindowExists(display_, w));
}

TEST(PointerVisibilityTest, CountsLikeADisplayCounter) {
  // No X server is needed for the count itself.
  int start = platform::ShowPointer(true) - 1;
  EXPECT_EQ(platform::ShowPointer(false), start);
  EXPECT_EQ(platform::ShowPointer(false), start - 1);
  EXPECT_EQ(platform::ShowPointer(true), start);
}

}  // namespace
