#pragma once

#include <string>
#include <vector>

#include "tests/support/compositor_session.h"
#include "tests/support/ppm_picture.h"

namespace testsupport {

// A headless sway: `outputs` outputs of kOutputWidth x kOutputHeight side by side
// from HEADLESS-1 at the left, software rendering, XWayland unless told otherwise,
// no input devices until a test adds one.
class SwaySession : public CompositorSession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;

  explicit SwaySession(int outputs = 2, XWayland xwayland = XWayland::Enabled);

  // One sway command, as `swaymsg` runs it; true when sway carried it out.
  bool Command(const std::string& command) const;
  // sway's answer to a query such as "get_tree", as JSON text.
  std::string Query(const std::string& type) const;
  // What the output (such as "HEADLESS-1") shows now; empty when it cannot be read.
  Picture Screenshot(const std::string& output) const;
  // A key press and release as a keyboard makes it, to the window with the focus
  // (wtype's virtual keyboard; `key` is an XKB key name such as "a").
  bool TypeKey(const std::string& key = "a") const;

  // Output names in order, from "HEADLESS-1".
  std::vector<std::string> Outputs() const;

 private:
  bool WaitForStart();
  bool ShowsAllOutputs() const;

  int outputs_;
  XWayland xwayland_;
};

}  // namespace testsupport
