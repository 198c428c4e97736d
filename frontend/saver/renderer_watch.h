#pragma once

#include <chrono>

// Reads the saver run's look-ups for the renderer's window. The renderer needs a
// moment after its start to create the window (the graphics driver loads first),
// so an absent window means the renderer has gone only once the window has been
// seen. A window that has not shown up within the appearance limit never will:
// the run ends then too, and at once when the renderer could not be started.
class RendererWatch {
 public:
  static constexpr std::chrono::milliseconds kAppearanceLimit{10000};

  explicit RendererWatch(bool rendererStarted = true) : rendererStarted_(rendererStarted) {}

  // One look-up: whether a window with the renderer's title was found, and the
  // time since the renderer was started. True when the run is over.
  bool RendererGone(bool windowFound, std::chrono::milliseconds sinceStart);

 private:
  bool rendererStarted_;
  bool windowSeen_ = false;
};
