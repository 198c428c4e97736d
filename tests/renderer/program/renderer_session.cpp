#include "tests/renderer/program/renderer_session.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

#include "tests/support/x_wait.h"

namespace veyora::testing {

RendererSession::RendererSession(int width, int height) : server_(width, height) {
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
  window_ = testsupport::WaitForWindow(display_, names::kRendererTitle, 30000, names::kRendererClass);
  // The first frames and the focus arrive just after the window appears.
  Settle(500);
  return window_ != 0;
}

void RendererSession::Settle(int ms) const {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
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

void RendererSession::SendDeleteWindow() {
  XEvent message{};
  message.xclient.type = ClientMessage;
  message.xclient.window = window_;
  message.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  message.xclient.format = 32;
  message.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  message.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window_, False, NoEventMask, &message);
  XSync(display_, False);
}

void RendererSession::RunOnDisplay(const std::string& command) const {
  [[maybe_unused]] const int status = std::system(("DISPLAY=" + server_.Display() + " " + command).c_str());
}

RendererOutcome RunRendererToItsEnd(const std::string& display,
                                    const std::vector<std::string>& arguments) {
  std::string command = "env LIBGL_ALWAYS_SOFTWARE=1 DISPLAY=" + display + " '" +
                        testsupport::RendererPath() + "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " 2>&1 >/dev/null; echo status=$?";
  RendererOutcome outcome;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return outcome;
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  const auto statusAt = output.rfind("status=");
  if (statusAt == std::string::npos) return outcome;
  outcome.status = std::stoi(output.substr(statusAt + 7));
  outcome.errors = output.substr(0, statusAt);
  return outcome;
}

}  // namespace veyora::testing
