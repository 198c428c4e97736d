#pragma once

#include <cstdint>

#include "frontend/saver/quorin05_s.h"

namespace veyora::frontend {

// The screensaver run inside a window a screen-saver host owns, or the host's live
// preview without music. Uncaptioned, since hosts run several side by side; it
// follows the renderer by its process alone, and of the runs on one display only
// the first plays music.
class HostedRun : public Quorin05_S {
 public:
  HostedRun(const Settings& settings, uint32_t hostWindow, bool withMusic,
            std::string rendererPath);

 private:
  std::vector<std::string> RendererArguments() const override;
  bool PlaysMusic() override;
  bool RendererGone(bool rendererRunning) override { return !rendererRunning; }
  bool OnWholeScreen() const override { return false; }

  uint32_t hostWindow_;
  bool withMusic_;
};

}  // namespace veyora::frontend
