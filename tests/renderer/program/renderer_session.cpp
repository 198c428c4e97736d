#include "tests/renderer/program/renderer_session.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "renderer/core/surface_motion.h"
#include "tests/renderer/screen_pixels.h"
#include "tests/support/captured_run.h"
#include "tests/support/x_close_request.h"
#include "tests/support/x_wait.h"

namespace veyora::testing {

RendererSession::RendererSession(int width, int height)
    : server_(width, height), screen_{0, 0, width, height} {
  if (server_.Running()) display_ = XOpenDisplay(server_.Display().c_str());
}

RendererSession::~RendererSession() {
  renderer_.reset();
  if (display_) XCloseDisplay(display_);
}

void RendererSession::Launch(const std::vector<std::string>& arguments) {
  renderer_ = std::make_unique<testsupport::ChildProcess>(
      testsupport::RendererPath(), arguments,
      std::map<std::string, std::string>{{"DISPLAY", server_.Display()},
                                         {"LIBGL_ALWAYS_SOFTWARE", "1"}});
}

bool RendererSession::Start() {
  if (!display_) return false;
  Launch();
  window_ = testsupport::WaitForWindow(display_, names::kRendererTitle, kEndWithinMs,
                                       names::kRendererClass);
  if (window_ == 0) return false;
  if (!testsupport::WaitForFocus(display_, window_, kEndWithinMs) || !PictureChanges(1)) {
    return false;
  }
  // Having drawn, the renderer has taken in the showing of its windows; pointer
  // motions within its settle time after that only tell where the pointer stands,
  // so input is sent once that time is over.
  const auto settled = std::chrono::steady_clock::now() +
                       std::chrono::duration<double>(SurfaceMotion::kSettleSeconds);
  if (!PictureChanges(1)) return false;
  std::this_thread::sleep_until(settled);
  return true;
}

bool RendererSession::PictureChanges(int times) const {
  return testing::PictureChanges(display_, screen_, times, kEndWithinMs);
}

std::optional<int> RendererSession::ExitStatus(int ms) { return renderer_->WaitExit(ms); }

void RendererSession::MovePointer(int x, int y) {
  XTestFakeMotionEvent(display_, 0, x, y, CurrentTime);
  XSync(display_, False);
}

void RendererSession::PressKey(bool down) {
  XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_a), down, CurrentTime);
  XSync(display_, False);
}

void RendererSession::PressButton(unsigned button, bool down) {
  XTestFakeButtonEvent(display_, button, down, CurrentTime);
  XSync(display_, False);
}

void RendererSession::SendDeleteWindow() { testsupport::RequestWindowClose(display_, window_); }

void RendererSession::RunOnDisplay(const std::string& command) const {
  [[maybe_unused]] const int status =
      std::system(("DISPLAY=" + server_.Display() + " " + command).c_str());
}

RendererOutcome RunRendererToItsEnd(const std::string& display,
                                    const std::vector<std::string>& arguments) {
  const testsupport::CapturedRun run = testsupport::RunToEnd(
      testsupport::RendererPath(), arguments,
      {{"DISPLAY", display}, {"LIBGL_ALWAYS_SOFTWARE", "1"}},
      [] {
        // Standard error into what is captured, standard output nowhere.
        dup2(STDOUT_FILENO, STDERR_FILENO);
        const int nowhere = open("/dev/null", O_WRONLY);
        if (nowhere >= 0) dup2(nowhere, STDOUT_FILENO);
      },
      kEndWithinMs);
  return {run.status.value_or(-1), run.output};
}

}  // namespace veyora::testing
