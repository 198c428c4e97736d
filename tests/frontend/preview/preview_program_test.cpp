// GoogleTest and Qt come before Xlib, whose None, Bool and Status macros break them.
#include <gtest/gtest.h>

#include <QImage>
#include <QRect>

#include "tests/frontend/preview/window_pixels.h"

#include <X11/Xlib.h>

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/shared_names.h"
#include "platform/window_search.h"
#include "platform/x_connection.h"
#include "tests/support/child_process.h"
#include "tests/support/private_display_test.h"
#include "tests/support/x_wait.h"

namespace {

const std::string kPreviewCaption = names::kPreviewTitle;
// Pane colour no part of the picture is likely to match.
constexpr unsigned long kPaneColour = 0xFF00FF;
// JPEG decoders and scalers may differ by a few levels.
constexpr double kPictureTolerance = 6.0;
constexpr int kDeadlineMs = 60000;

// The preview program hosted in panes that the test makes, on a private X server.
class PreviewProgramTest : public testsupport::PrivateDisplayTest {
 protected:
  // Large enough to hold the largest pane below.
  PreviewProgramTest() : PrivateDisplayTest(2560, 2400) {}

  // A mapped top-level window standing in for a screensaver manager's preview pane.
  Window MakePane(int x, int y, int width, int height) {
    const Window pane = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, width,
                                            height, 0, 0, kPaneColour);
    XMapWindow(display_, pane);
    XSync(display_, False);
    return pane;
  }

  void DestroyWindow(Window window) {
    XDestroyWindow(display_, window);
    XSync(display_, False);
  }

  std::unique_ptr<testsupport::ChildProcess> Start(const std::vector<std::string>& args) {
    return std::make_unique<testsupport::ChildProcess>(
        testsupport::FrontEndPath(), args,
        std::map<std::string, std::string>{{"DISPLAY", server_.Display()}});
  }

  std::unique_ptr<testsupport::ChildProcess> StartPreview(Window pane) {
    return Start({"/p", std::to_string(pane)});
  }

  std::vector<Window> Children(Window window) {
    std::vector<Window> result;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    platform::XErrorScope errors(display_);
    if (XQueryTree(display_, window, &root, &parent, &children, &count) && children) {
      result.assign(children, children + count);
    }
    if (children) XFree(children);
    return result;
  }

  // The preview window once it is a mapped child of the pane; None on timeout.
  Window WaitForPreviewIn(Window pane) {
    Window found = None;
    testsupport::WaitUntil(
        [&] {
          for (Window child : Children(pane)) {
            XWindowAttributes attributes{};
            if (platform::WindowTitle(display_, child) == kPreviewCaption &&
                XGetWindowAttributes(display_, child, &attributes) &&
                attributes.map_state == IsViewable) {
              found = child;
              return true;
            }
          }
          return false;
        },
        kDeadlineMs);
    return found;
  }

  // The window's place in its parent, size and border width.
  std::array<int, 5> Placement(Window window) {
    XWindowAttributes a{};
    XGetWindowAttributes(display_, window, &a);
    return {a.x, a.y, a.width, a.height, a.border_width};
  }

  // Waits until the pane shows `expected`; returns the last difference seen.
  double WaitForPicture(Window pane, const QImage& expected) {
    double difference = 255.0;
    testsupport::WaitUntil(
        [&] {
          difference = MeanChannelDifference(WindowPixels(display_, pane), expected);
          return difference < kPictureTolerance;
        },
        kDeadlineMs);
    return difference;
  }
};

TEST_F(PreviewProgramTest,
       PreviewsSideBySideFillTheirPanesWithThePictureUntilTheirPaneOrWindowGoes) {
  const QImage picture = QImage(PREVIEW_PICTURE_FILE).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(picture.isNull());
  struct Pane {
    QRect place;
    bool pictureShown;  // false for the pane that lies under the others
  };
  // Wider and higher than 2,184 pixels, the most a 16-bit count of twips carries;
  // made first, so it lies under the other panes, whose pixels are read.
  const Pane panes[] = {{QRect(0, 0, 2500, 2300), false},
                        {QRect(20, 30, 152, 112), true},
                        {QRect(200, 30, 400, 300), true}};
  std::vector<Window> windows, previews;
  std::vector<std::unique_ptr<testsupport::ChildProcess>> programs;
  for (const Pane& pane : panes) {
    windows.push_back(
        MakePane(pane.place.x(), pane.place.y(), pane.place.width(), pane.place.height()));
    programs.push_back(StartPreview(windows.back()));
  }
  for (size_t i = 0; i < windows.size(); ++i) {
    previews.push_back(WaitForPreviewIn(windows[i]));
    ASSERT_NE(previews[i], None) << i;
    const QSize size = panes[i].place.size();
    EXPECT_EQ(Placement(previews[i]), (std::array{0, 0, size.width(), size.height(), 0})) << i;
    if (!panes[i].pictureShown) continue;
    const QImage stretched = picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(WaitForPicture(windows[i], stretched), kPictureTolerance) << i;
  }

  // Each program follows its own pane, or its own window, only.
  DestroyWindow(windows[1]);
  EXPECT_EQ(programs[1]->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(programs[0]->Running());
  EXPECT_TRUE(programs[2]->Running());
  DestroyWindow(previews[0]);
  EXPECT_EQ(programs[0]->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(programs[2]->Running());
  DestroyWindow(windows[2]);
  EXPECT_EQ(programs[2]->WaitExit(kDeadlineMs), 0);
}

TEST_F(PreviewProgramTest, WithoutAPaneToShowInOrBesideARunningSaverOrDialogTheProgramEndsAtOnce) {
  const Window gone = MakePane(0, 0, 152, 112);
  DestroyWindow(gone);
  // A window that can hold no picture takes no children either.
  const Window inputOnly = XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, 152, 112, 0,
                                         0, InputOnly, CopyFromParent, 0, nullptr);
  XMapWindow(display_, inputOnly);
  // The root window is never destroyed, and a pane larger than the screen is no
  // preview pane: a picture there could never be closed.
  const Window oversized = MakePane(0, 0, 2600, 2400);
  const Window pane = MakePane(0, 0, 152, 112);
  ASSERT_FALSE(platform::WindowExists(display_, 12345));
  struct Case {
    std::vector<std::string> args;
    const char* otherWindow;  // the title of a window open meanwhile, if any
  };
  for (const Case& c :
       std::vector<Case>{{{"/p"}, nullptr},
                         {{"/p", "0"}, nullptr},
                         {{"/p", "12345"}, nullptr},
                         {{"/p", "pane"}, nullptr},
                         {{"/p", std::to_string(gone)}, nullptr},
                         {{"/p", std::to_string(inputOnly)}, nullptr},
                         {{"/p", std::to_string(DefaultRootWindow(display_))}, nullptr},
                         {{"/p", std::to_string(oversized)}, nullptr},
                         {{"/p", std::to_string(pane)}, names::kSaverTitle},
                         {{"/p", std::to_string(pane)}, names::kDialogTitle}}) {
    const Window other = c.otherWindow ? MakeTitledWindow(c.otherWindow) : None;
    auto program = Start(c.args);
    const std::string what =
        c.args.back() + (c.otherWindow ? std::string(" beside ") + c.otherWindow : "");
    EXPECT_EQ(program->WaitExit(kDeadlineMs), 0) << what;
    EXPECT_EQ(platform::FindTopLevelWindow(display_, kPreviewCaption), None) << what;
    EXPECT_TRUE(Children(pane).empty()) << what;
    if (other != None) DestroyWindow(other);
  }
}

TEST_F(PreviewProgramTest, APaneVanishingAtAnyMomentEndsTheProgramCleanly) {
  // The pane goes while the program is still starting, while it hosts the window,
  // and once it is shown; every time the program must end normally.
  for (int delayMs : {0, 2, 5, 10, 20, 40, 80, 160, 320}) {
    const Window pane = MakePane(0, 0, 152, 112);
    auto program = StartPreview(pane);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    DestroyWindow(pane);
    EXPECT_EQ(program->WaitExit(kDeadlineMs), 0) << "pane destroyed after " << delayMs << " ms";
  }
}

}  // namespace
