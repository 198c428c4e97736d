// GoogleTest comes before Xlib, whose None and Bool macros would break it.
#include <gtest/gtest.h>

#include "platform/window_search.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <string>

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

TEST_F(WindowSearchTest, FindsUnmappedTopLevelWindowsByExactTitleAndClassInsideFramesOnly) {
  Window root = DefaultRootWindow(display_);
  Window dialog = MakeWindow(root, "<Veyora(Ra05)>", nullptr);
  Window saver = MakeWindow(root, "Screensaver", "WindowsScreenSaverClass");
  MakeWindow(root, "Screensaver", "OtherClass");
  Window japanese = MakeWindow(root, "設定ﾌｧｲﾙ", nullptr);
  Window legacy = MakeWindow(root, "Preview Window", nullptr, true);
  Window client = MakeWindow(MakeWindow(root, "", nullptr), "Quorin05_VC", nullptr);  // in a frame
  // A child of a managed client window (WM_STATE set) is no top-level window.
  Window managed = MakeWindow(root, "host", nullptr);
  long state[2] = {1, 0};
  Atom wmState = XInternAtom(display_, "WM_STATE", False);
  XChangeProperty(display_, managed, wmState, wmState, 32, PropModeReplace,
                  reinterpret_cast<unsigned char*>(state), 2);
  MakeWindow(managed, "Quorin05_Main", nullptr);

  struct Case {
    const char* title;
    const char* wmClass;
    Window expected;
  };
  const Case cases[] = {
      {"<Veyora(Ra05)>", nullptr, dialog}, {"Screensaver", "WindowsScreenSaverClass", saver},
      {"設定ﾌｧｲﾙ", nullptr, japanese},     {"Preview Window", nullptr, legacy},
      {"Quorin05_VC", nullptr, client},    {"Quorin05_Main", nullptr, None},
      {"<Veyora(Ra05)", nullptr, None},    {"screensaver", nullptr, None},
      {"Screensaver", "Missing", None}};
  for (const Case& c : cases) {
    EXPECT_EQ(platform::FindTopLevelWindow(display_, c.title, c.wmClass), c.expected) << c.title;
  }
}

TEST_F(WindowSearchTest, BadWindowIdsGiveEmptyAnswersWithoutEndingTheProcess) {
  const Window bogus = 0x7ffffff;
  EXPECT_FALSE(platform::WindowExists(display_, bogus));
  EXPECT_EQ(platform::WindowTitle(display_, bogus), "");
  EXPECT_EQ(platform::WindowScreenRect(display_, bogus), platform::ScreenRect{});

  Window w = MakeWindow(DefaultRootWindow(display_), "gone", nullptr);
  XMoveResizeWindow(display_, w, 7, 9, 40, 30);
  EXPECT_EQ(platform::WindowScreenRect(display_, w), (platform::ScreenRect{7, 9, 47, 39}));
  XDestroyWindow(display_, w);
  EXPECT_FALSE(platform::WindowExists(display_, w));
}

}  // namespace
