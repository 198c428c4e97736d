#pragma once

#include "tests/support/compositor_session.h"

namespace testsupport {

// A headless weston with one output of kOutputWidth x kOutputHeight, software
// rendering and XWayland.
class WestonSession : public CompositorSession {
 public:
  static constexpr int kOutputWidth = 1280;
  static constexpr int kOutputHeight = 720;

  WestonSession();
};

}  // namespace testsupport
