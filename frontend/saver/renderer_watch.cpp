#include "frontend/saver/renderer_watch.h"

namespace veyora::frontend {

bool RendererWatch::RendererGone(bool windowFound, bool rendererRunning,
                                 std::chrono::milliseconds sinceStart) {
  if (windowFound) {
    windowSeen_ = true;
    return false;
  }
  return windowSeen_ || !rendererRunning || sinceStart >= appearanceLimit_;
}

}  // namespace veyora::frontend
