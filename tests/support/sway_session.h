#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/compositor_session.h"
#include "tests/support/ppm_picture.h"
#include "tests/support/xvfb_server.h"

namespace testsupport {

// A headless sway: `outputs` outputs of kOutputWidth x kOutputHeight side by side
// from HEADLESS-1 at the left, software rendering, XWayland unless told otherwise,
// no input devices until a test adds one. With Outputs::XWindows each output is a
// window on a private Xvfb instead (X11-1, X11-2, ...), which can be taken away as
// a monitor unplugged is, the last one too.
class SwaySession : public CompositorSession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;

  // What sway's outputs are.
  enum class OutputKind { Headless, XWindows };

  explicit SwaySession(int outputs = 2, XWayland xwayland = XWayland::Enabled,
                       OutputKind kind = OutputKind::Headless);
  ~SwaySession() override;

  // One sway command, as `swaymsg` runs it; true when sway carried it out.
  bool Command(const std::string& command) const;
  // sway's answer to a query such as "get_tree", as JSON text.
  std::string Query(const std::string& type) const;
  // What the output (such as "HEADLESS-1") shows now; empty when it cannot be read.
  Picture Screenshot(const std::string& output) const;
  // A key press and release as a keyboard makes it, to the window with the focus
  // (wtype's virtual keyboard; `key` is an XKB key name such as "a").
  bool TypeKey(const std::string& key = "a") const;

  // Output names in order, from "HEADLESS-1" (or "X11-1"), as sway started.
  std::vector<std::string> Outputs() const;
  // Takes the output away as its monitor's unplugging does (OutputKind::XWindows
  // only: its window is closed); true once sway no longer has it.
  bool RemoveOutput(const std::string& name) const;
  // True while sway has an output of this name.
  bool HasOutput(const std::string& name) const;

 private:
  bool WaitForStart();
  bool ShowsAllOutputs() const;
  std::string OutputPrefix() const { return kind_ == OutputKind::XWindows ? "X11-" : "HEADLESS-"; }

  int outputs_;
  XWayland xwayland_;
  OutputKind kind_;
  // The X server the outputs' windows are on, and the test's connection to it.
  std::unique_ptr<XvfbServer> outputServer_;
  Display* outputDisplay_ = nullptr;
};

}  // namespace testsupport
