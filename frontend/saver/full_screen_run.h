#pragma once

#include <chrono>
#include <optional>

#include "frontend/saver/quorin05_s.h"
#include "frontend/saver/renderer_watch.h"
#include "frontend/saver/renderer_window_look_up.h"

namespace veyora::frontend {

// The screensaver run on the whole screen, in the renderer's own windows. Captioned
// "Quorin05_Main" so another start of the program finds it. It follows the
// renderer by its window and plays the music; at its end it gives the pointer back
// when `pointerCount` holds the count its hiding returned.
class FullScreenRun : public Quorin05_S {
 public:
  FullScreenRun(const Settings& settings, std::optional<int> pointerCount, std::string rendererPath,
                std::chrono::milliseconds appearanceLimit = RendererWatch::kAppearanceLimit);

 private:
  std::vector<std::string> RendererArguments() const override { return {}; }
  bool PlaysMusic() override { return true; }
  bool RendererGone(bool rendererRunning) override;
  bool OnWholeScreen() const override { return true; }

  std::chrono::steady_clock::time_point rendererStart_;
  RendererWatch watch_;
  RendererWindowLookUp rendererWindow_;
};

}  // namespace veyora::frontend
