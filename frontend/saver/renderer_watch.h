#pragma once

#include <chrono>

namespace veyora::frontend {

// Reads the saver run's look-ups for the renderer's window. The renderer needs a
// moment after its start to create the window (the graphics driver loads first),
// so an absent window means the renderer has gone only once the window has been
// seen, or once the renderer's process has ended (or never started). A window
// that has not shown up within the appearance limit never will: the run ends then
// too. A window of that title from elsewhere holds the run while it exists.
class RendererWatch {
 public:
  static constexpr std::chrono::milliseconds kAppearanceLimit{10000};

  explicit RendererWatch(std::chrono::milliseconds appearanceLimit = kAppearanceLimit)
      : appearanceLimit_(appearanceLimit) {}

  // One look-up: whether a window with the renderer's title was found, whether
  // the renderer's process still runs, and the time since it was started. True
  // when the run is over.
  bool RendererGone(bool windowFound, bool rendererRunning, std::chrono::milliseconds sinceStart);

 private:
  std::chrono::milliseconds appearanceLimit_;
  bool windowSeen_ = false;
};

}  // namespace veyora::frontend
