#include "renderer/core/surface_motion.h"

namespace veyora {

std::optional<ScreenPoint> SurfaceMotion::Moved(std::uint32_t window, int x, int y, double now) {
  const auto last = lastOnWindow_.find(window);
  if (last == lastOnWindow_.end() || now < settledAt_) {
    lastOnWindow_[window] = {x, y};
    if (anyReported_) return std::nullopt;
    anyReported_ = true;
    return travel_;
  }
  travel_.x += x - last->second.x;
  travel_.y += y - last->second.y;
  last->second = {x, y};
  return travel_;
}

void SurfaceMotion::Left(std::uint32_t window) { lastOnWindow_.erase(window); }

void SurfaceMotion::WindowsChanged(double now) {
  lastOnWindow_.clear();
  settledAt_ = now + kSettleSeconds;
}

}  // namespace veyora
