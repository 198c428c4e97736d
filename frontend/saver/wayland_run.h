#pragma once

#include <optional>
#include <string>

#include "frontend/saver/quorin05_s.h"

namespace veyora::frontend {

// The screensaver run on a Wayland desktop, where the renderer is a Wayland client
// whose windows no other program can see: the run follows the renderer by its
// process alone, from its start to its end. Otherwise it is the full-screen run:
// captioned "Quorin05_Main", it plays the music and at its end gives the pointer
// back when `pointerCount` holds the count its hiding returned.
class WaylandRun : public Quorin05_S {
 public:
  WaylandRun(const Settings& settings, std::optional<int> pointerCount, std::string rendererPath);

 private:
  std::vector<std::string> RendererArguments() const override { return {}; }
  bool PlaysMusic() override { return true; }
  bool RendererGone(bool rendererRunning) override { return !rendererRunning; }
  bool OnWholeScreen() const override { return true; }
};

}  // namespace veyora::frontend
