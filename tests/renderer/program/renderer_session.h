#pragma once

#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/screen_rect.h"
#include "platform/shared_names.h"
#include "tests/support/child_process.h"
#include "tests/support/xvfb_server.h"

namespace veyora::testing {

// How long a test waits for the renderer to do what it is expected to do.
constexpr int kEndWithinMs = 30000;

// A private X server with the renderer running on it, and a connection for the test.
class RendererSession {
 public:
  RendererSession(int width = 640, int height = 480);
  ~RendererSession();

  // Starts the renderer and waits until its window has the focus, shows moving
  // pictures and takes pointer motion as input; false when that does not happen.
  bool Start();
  // Starts the renderer with these arguments, without waiting for anything.
  void Launch(const std::vector<std::string>& arguments = {});

  Display* display() const { return display_; }
  // The DISPLAY value of the private server.
  const std::string& displayName() const { return server_.Display(); }
  Window window() const { return window_; }
  testsupport::ChildProcess& renderer() { return *renderer_; }

  // Waits until the screen's picture has changed `times` times: the renderer has
  // gone round its loop, handling what was sent before, and drawn again.
  bool PictureChanges(int times = 3) const;
  // Exit status within `ms`, nullopt while it runs.
  std::optional<int> ExitStatus(int ms);

  void MovePointer(int x, int y);
  void PressKey(bool down);
  void PressButton(unsigned button, bool down);
  // A WM_DELETE_WINDOW message, as a window manager sends on a close request.
  void SendDeleteWindow();
  // Runs a shell command line against the private server, as `xset s activate`.
  void RunOnDisplay(const std::string& command) const;

 private:
  testsupport::XvfbServer server_;
  platform::ScreenRect screen_;
  Display* display_ = nullptr;
  std::unique_ptr<testsupport::ChildProcess> renderer_;
  Window window_ = 0;
};

// How a renderer run that ends by itself ended: its exit status and what it wrote
// on standard error.
struct RendererOutcome {
  int status = -1;
  std::string errors;
};

// Runs the renderer on `display` with these arguments until it ends by itself.
RendererOutcome RunRendererToItsEnd(const std::string& display,
                                    const std::vector<std::string>& arguments);

}  // namespace veyora::testing
