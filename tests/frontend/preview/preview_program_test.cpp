// GoogleTest and Qt come before Xlib, whose None, Bool and Status macros break them.
#include <gtest/gtest.h>

#include <QImage>

#include "tests/frontend/preview/window_pixels.h"

#include <X11/Xlib.h>

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
constexpr int kStartMs = 60000;
constexpr int kEndMs = 60000;

// The preview program hosted in panes that the test makes, on a private X server.
class PreviewProgramTest : public testsupport::PrivateDisplayTest {
 protected:
  // Large enough to hold the largest pane below.
  PreviewProgramTest() : PrivateDisplayTest(2560, 2400) {}
  void SetUp() override {
    PrivateDisplayTest::SetUp();
    ASSERT_FALSE(picture_.isNull());
  }

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

  Window MakeNamedWindow(const std::string& title) {
    const Window window = MakePane(0, 0, 10, 10);
    XStoreName(display_, window, title.c_str());
    XSync(display_, False);
    return window;
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
  Window WaitForPreviewIn(Window pane, int timeoutMs = kStartMs) {
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
        timeoutMs);
    return found;
  }

  XWindowAttributes Attributes(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    return attributes;
  }

  // Waits until the pane shows `expected`; returns the last difference seen.
  double WaitForPicture(Window pane, const QImage& expected) {
    double difference = 255.0;
    testsupport::WaitUntil(
        [&] {
          difference = MeanChannelDifference(WindowPixels(display_, pane), expected);
          return difference < kPictureTolerance;
        },
        kStartMs);
    return difference;
  }

  const QImage picture_ = QImage(PREVIEW_PICTURE_FILE).convertToFormat(QImage::Format_RGB32);
};

TEST_F(PreviewProgramTest, APaneOfThePictureSizeShowsThePictureUntilThePaneGoes) {
  const Window pane = MakePane(20, 30, 152, 112);
  auto program = StartPreview(pane);
  const Window preview = WaitForPreviewIn(pane);
  ASSERT_NE(preview, None);

  const XWindowAttributes attributes = Attributes(preview);
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, 152);
  EXPECT_EQ(attributes.height, 112);
  EXPECT_EQ(attributes.border_width, 0);

  EXPECT_LT(WaitForPicture(pane, picture_), kPictureTolerance);
  EXPECT_GT(MeanBrightness(WindowPixels(display_, pane)), 10.0);
  // The program lives as long as its pane, and no longer.
  EXPECT_TRUE(program->Running());
  DestroyWindow(pane);
  EXPECT_EQ(program->WaitExit(kEndMs), 0);
}

TEST_F(PreviewProgramTest, PanesOfOtherSizesAreFilledWithThePictureStretched) {
  // Wider and higher than 2,184 pixels, the most a 16-bit count of twips carries;
  // made first, so it lies under the other pane, whose pixels are read.
  const Window hugePane = MakePane(0, 0, 2500, 2300);
  const Window pane = MakePane(0, 0, 400, 300);
  auto program = StartPreview(pane);
  auto hugeProgram = StartPreview(hugePane);
  const Window preview = WaitForPreviewIn(pane);
  const Window hugePreview = WaitForPreviewIn(hugePane);
  ASSERT_NE(preview, None);
  ASSERT_NE(hugePreview, None);

  const XWindowAttributes attributes = Attributes(preview);
  EXPECT_EQ(attributes.x, 0);
  EXPECT_EQ(attributes.y, 0);
  EXPECT_EQ(attributes.width, 400);
  EXPECT_EQ(attributes.height, 300);
  const QImage stretched =
      picture_.scaled(400, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  EXPECT_LT(WaitForPicture(pane, stretched), kPictureTolerance);

  const XWindowAttributes huge = Attributes(hugePreview);
  EXPECT_EQ(huge.width, 2500);
  EXPECT_EQ(huge.height, 2300);
}

TEST_F(PreviewProgramTest, WithoutAPaneToShowInTheProgramEndsAtOnce) {
  const Window noWindow = 12345;
  ASSERT_FALSE(platform::WindowExists(display_, noWindow));
  const Window gone = MakePane(0, 0, 152, 112);
  DestroyWindow(gone);
  // A window that can hold no picture takes no children either.
  const Window inputOnly = XCreateWindow(display_, DefaultRootWindow(display_), 0, 0, 152, 112,
                                         0, 0, InputOnly, CopyFromParent, 0, nullptr);
  XMapWindow(display_, inputOnly);
  // The root window is never destroyed, and a pane larger than the screen is no
  // preview pane: a picture there could never be closed.
  const Window root = DefaultRootWindow(display_);
  const Window oversized = MakePane(0, 0, 2600, 2400);
  XSync(display_, False);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/p"}, std::vector<std::string>{"/p", "0"},
        std::vector<std::string>{"/p", "12345"}, std::vector<std::string>{"/p", "pane"},
        std::vector<std::string>{"/p", std::to_string(gone)},
        std::vector<std::string>{"/p", std::to_string(inputOnly)},
        std::vector<std::string>{"/p", std::to_string(root)},
        std::vector<std::string>{"/p", std::to_string(oversized)}}) {
    auto program = Start(args);
    EXPECT_EQ(program->WaitExit(kEndMs), 0) << args.back();
    EXPECT_EQ(platform::FindTopLevelWindow(display_, kPreviewCaption), None) << args.back();
  }
}

TEST_F(PreviewProgramTest, ARunningSaverOrSettingsDialogStopsThePreview) {
  const Window pane = MakePane(0, 0, 152, 112);
  for (const char* title : {names::kSaverTitle, names::kDialogTitle}) {
    const Window other = MakeNamedWindow(title);
    auto program = StartPreview(pane);
    EXPECT_EQ(program->WaitExit(kEndMs), 0) << title;
    EXPECT_TRUE(Children(pane).empty()) << title;
    DestroyWindow(other);
  }
}

TEST_F(PreviewProgramTest, SeveralPreviewsRunSideBySide) {
  std::vector<Window> panes;
  std::vector<std::unique_ptr<testsupport::ChildProcess>> programs;
  for (int i = 0; i < 3; ++i) {
    panes.push_back(MakePane(10 + 160 * i, 10, 152, 112));
    programs.push_back(StartPreview(panes.back()));
  }
  for (Window pane : panes) {
    ASSERT_NE(WaitForPreviewIn(pane), None);
    EXPECT_LT(WaitForPicture(pane, picture_), kPictureTolerance);
  }
  // Each program follows its own pane only.
  DestroyWindow(panes[1]);
  EXPECT_EQ(programs[1]->WaitExit(kEndMs), 0);
  EXPECT_TRUE(programs[0]->Running());
  EXPECT_TRUE(programs[2]->Running());
  DestroyWindow(panes[0]);
  DestroyWindow(panes[2]);
  EXPECT_EQ(programs[0]->WaitExit(kEndMs), 0);
  EXPECT_EQ(programs[2]->WaitExit(kEndMs), 0);
}

TEST_F(PreviewProgramTest, APaneVanishingAtAnyMomentEndsTheProgramCleanly) {
  // The pane goes while the program is still starting, while it hosts the window,
  // and once it is shown; every time the program must end normally, soon.
  for (int delayMs : {0, 2, 5, 10, 20, 40, 80, 160, 320}) {
    const Window pane = MakePane(0, 0, 152, 112);
    auto program = StartPreview(pane);
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    DestroyWindow(pane);
    EXPECT_EQ(program->WaitExit(kEndMs), 0) << "pane destroyed after " << delayMs << " ms";
  }
}

TEST_F(PreviewProgramTest, DestroyingThePreviewWindowItselfEndsTheProgram) {
  const Window pane = MakePane(0, 0, 152, 112);
  auto program = StartPreview(pane);
  const Window preview = WaitForPreviewIn(pane);
  ASSERT_NE(preview, None);
  DestroyWindow(preview);
  EXPECT_EQ(program->WaitExit(kEndMs), 0);
}

}  // namespace
