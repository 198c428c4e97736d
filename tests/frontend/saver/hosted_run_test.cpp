// The front end started as the screen-saver hosts of Linux desktops start their
// display modes: the window the host owns is made by the test and given in
// XSCREENSAVER_WINDOW (hexadecimal with -root, as XScreenSaver does; decimal with
// no switch, as xsecurelock does) or after -window-id (a host's live preview).
#include "tests/frontend/saver/saver_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <signal.h>

#include <cstdio>

#include "platform/shared_names.h"
#include "tests/support/x_input.h"
#include "tests/support/x_wait.h"

namespace savertest {
namespace {

constexpr int kDeadlineMs = 60000;

std::string Hex(Window window) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%lx", window);
  return text;
}

class HostedRunTest : public SaverSession {
 protected:
  // A mapped window of the host's, as a host holds it: override-redirect, black.
  Window MakeHostWindow(int width, int height) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    attributes.background_pixel = BlackPixel(display_, DefaultScreen(display_));
    const Window window = XCreateWindow(display_, DefaultRootWindow(display_), 10, 10, width,
                                        height, 0, CopyFromParent, InputOutput, CopyFromParent,
                                        CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(display_, window);
    XSync(display_, False);
    return window;
  }

  std::unique_ptr<testsupport::ChildProcess> StartHosted(
      const std::vector<std::string>& args, const std::string& hostWindow,
      const std::string& soundFile = "sound.raw") {
    std::map<std::string, std::string> env = SessionEnvironment();
    env["SDL_DISKAUDIOFILE"] = File(soundFile);
    if (!hostWindow.empty()) env["XSCREENSAVER_WINDOW"] = hostWindow;
    return std::make_unique<testsupport::ChildProcess>(File(names::kFrontEndFile), args, env);
  }

  // A digest of the window's pixels, and whether any is lit.
  std::pair<unsigned long, bool> Picture(Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) return {0, false};
    XImage* image =
        XGetImage(display_, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return {0, false};
    unsigned long digest = 0;
    bool lit = false;
    for (int y = 0; y < image->height; y += 2) {
      for (int x = 0; x < image->width; x += 2) {
        const unsigned long pixel = XGetPixel(image, x, y) & 0xFFFFFF;
        digest = digest * 31 + pixel;
        lit = lit || pixel != 0;
      }
    }
    XDestroyImage(image);
    return {digest, lit};
  }

  // Waits until the window shows a lit picture that then changes.
  bool ShowsChangingGlow(Window window) {
    std::pair<unsigned long, bool> first;
    if (!testsupport::WaitUntil([&] { return (first = Picture(window)).second; }, kDeadlineMs)) {
      return false;
    }
    return testsupport::WaitUntil([&] { return Picture(window).first != first.first; },
                                  kDeadlineMs);
  }

  // The renderer's window inside the host's, once it covers it exactly.
  bool CoveredBy(Window host, int width, int height) {
    return testsupport::WaitUntil(
        [&] {
          Window root = 0, parent = 0, *children = nullptr;
          unsigned int count = 0;
          bool covered = false;
          if (XQueryTree(display_, host, &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count; ++i) {
              XWindowAttributes attributes{};
              covered =
                  covered || (XGetWindowAttributes(display_, children[i], &attributes) &&
                              attributes.x == 0 && attributes.y == 0 && attributes.width == width &&
                              attributes.height == height && attributes.map_state == IsViewable);
            }
          }
          if (children) XFree(children);
          return covered;
        },
        kDeadlineMs);
  }

  std::vector<Window> MappedTopLevels() {
    std::vector<Window> mapped;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
      for (unsigned int i = 0; i < count; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, children[i], &attributes) &&
            attributes.map_state == IsViewable) {
          mapped.push_back(children[i]);
        }
      }
    }
    if (children) XFree(children);
    return mapped;
  }

  void TouchKeyboardAndPointer() {
    testsupport::TapKey(display_, XK_a);
    XTestFakeMotionEvent(display_, -1, 5, 5, CurrentTime);
    XTestFakeMotionEvent(display_, -1, 300, 200, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
  }
};

struct HostCase {
  std::string name;
  std::vector<std::string> args;
  bool hexadecimal;
};

class HostContractTest : public HostedRunTest, public ::testing::WithParamInterface<HostCase> {};

TEST_P(HostContractTest, DrawsInTheHostsWindowUntilSignalledAndIgnoresInput) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  const Window host = MakeHostWindow(320, 240);
  auto frontEnd =
      StartHosted(GetParam().args, GetParam().hexadecimal ? Hex(host) : std::to_string(host));
  ASSERT_TRUE(ShowsChangingGlow(host));
  ASSERT_TRUE(WaitForSound(0.2));
  // Nothing of ours is mapped at the top level, and input ends nothing.
  EXPECT_EQ(MappedTopLevels(), std::vector<Window>{host});
  TouchKeyboardAndPointer();
  // The picture goes on changing after the input: the run had it and goes on.
  ASSERT_TRUE(ShowsChangingGlow(host) && ShowsChangingGlow(host));
  EXPECT_TRUE(frontEnd->Running());
  EXPECT_EQ(RendererProcesses().size(), 1u);
  EXPECT_TRUE(PointerCalls(frontEnd->Pid()).empty());

  frontEnd->Signal(SIGTERM);
  EXPECT_EQ(frontEnd->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kDeadlineMs));
}

INSTANTIATE_TEST_SUITE_P(Hosts, HostContractTest,
                         ::testing::Values(HostCase{"XScreenSaver", {"-root"}, true},
                                           HostCase{"XScreenSaverNewer", {"--root"}, true},
                                           HostCase{"Xsecurelock", {}, false}),
                         [](const ::testing::TestParamInfo<HostCase>& info) {
                           return info.param.name;
                         });

TEST_F(HostedRunTest, FollowsTheHostsWindowWhenItIsResized) {
  const Window host = MakeHostWindow(200, 150);
  auto frontEnd = StartHosted({"-root"}, Hex(host));
  ASSERT_TRUE(CoveredBy(host, 200, 150));
  XResizeWindow(display_, host, 400, 300);
  XSync(display_, False);
  EXPECT_TRUE(CoveredBy(host, 400, 300));
  EXPECT_TRUE(ShowsChangingGlow(host));
}

TEST_F(HostedRunTest, ALivePreviewEndsWithItsWindow) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  const Window pane = MakeHostWindow(160, 120);
  auto frontEnd = StartHosted({"-window-id", Hex(pane)}, "");
  ASSERT_TRUE(ShowsChangingGlow(pane));
  EXPECT_EQ(SoundBytes(), 0);  // a preview plays no music
  XDestroyWindow(display_, pane);
  XSync(display_, False);
  EXPECT_EQ(frontEnd->WaitExit(kDeadlineMs), 0);
  EXPECT_TRUE(testsupport::WaitUntil([&] { return RendererProcesses().empty(); }, kDeadlineMs));
}

TEST_F(HostedRunTest, TwoHostedRunsBothDrawAndOnePlaysTheMusic) {
  WriteTone(File("b.wav"), 500, 0.25);
  WriteSettings(2, File("b.wav"));
  const Window left = MakeHostWindow(200, 150);
  const Window right = MakeHostWindow(200, 150);
  XMoveWindow(display_, right, 300, 10);
  auto first = StartHosted({"-root"}, Hex(left), "first.raw");
  auto second = StartHosted({"-root"}, Hex(right), "second.raw");
  EXPECT_TRUE(ShowsChangingGlow(left));
  EXPECT_TRUE(ShowsChangingGlow(right));
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] { return SoundBytes("first.raw") + SoundBytes("second.raw") > 0; }, kDeadlineMs));
  EXPECT_TRUE(ShowsChangingGlow(left));
  EXPECT_TRUE(first->Running());
  EXPECT_TRUE(SoundBytes("first.raw") == 0 || SoundBytes("second.raw") == 0);
}

TEST_F(HostedRunTest, TwoRunsStartedInTheSameSecondShowPicturesOfTheirOwn) {
  const std::vector<Window> hosts = {MakeHostWindow(200, 150), MakeHostWindow(200, 150)};
  XMoveWindow(display_, hosts[1], 300, 10);
  XSync(display_, False);
  // Both renderers see the same calendar second and stop after their tenth frame.
  std::map<std::string, std::string> environment = SessionEnvironment();
  environment["LD_PRELOAD"] += std::string(" ") + RENDERER_FRAME_GATE;
  environment["VEYORA_FIXED_TIME"] = "1800000000";
  environment["VEYORA_STOP_AFTER_FRAMES"] = "10";
  std::vector<std::unique_ptr<testsupport::ChildProcess>> runs;
  for (Window host : hosts) {
    environment["XSCREENSAVER_WINDOW"] = Hex(host);
    runs.push_back(std::make_unique<testsupport::ChildProcess>(
        File(names::kFrontEndFile), std::vector<std::string>{"-root"}, environment));
  }
  const auto stopped = [](pid_t pid) { return testsupport::ProcessState(pid) == 'T'; };
  ASSERT_TRUE(testsupport::WaitUntil(
      [&] {
        const std::vector<pid_t> renderers = RendererProcesses();
        return renderers.size() == 2 && stopped(renderers[0]) && stopped(renderers[1]);
      },
      kDeadlineMs));
  const auto [left, leftLit] = Picture(hosts[0]);
  const auto [right, rightLit] = Picture(hosts[1]);
  EXPECT_TRUE(leftLit && rightLit);
  EXPECT_NE(left, right);
}

TEST_F(HostedRunTest, AnIdThatIsNoWindowEndsTheProgramAtOnce) {
  for (const std::string& id : {std::string("0x7fff0001"), std::string("window"), std::string()}) {
    EXPECT_EQ(StartHosted({"-root"}, id)->WaitExit(kDeadlineMs), 1) << id;
    EXPECT_EQ(StartHosted({"-window-id", id}, "")->WaitExit(kDeadlineMs), 1) << id;
  }
  EXPECT_TRUE(RendererProcesses().empty());
}

}  // namespace
}  // namespace savertest
