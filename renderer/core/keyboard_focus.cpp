#include "renderer/core/keyboard_focus.h"

#include <limits>

namespace veyora {

void KeyboardFocus::Gained(std::uint32_t window) {
  holding_.insert(window);
  lossPending_ = false;
}

void KeyboardFocus::Lost(std::uint32_t window, double now) {
  if (holding_.erase(window) == 0 || !holding_.empty()) return;
  lossPending_ = true;
  lostAt_ = now;
}

bool KeyboardFocus::LeftUs(double now) {
  if (!lossPending_ || now - lostAt_ < kFocusMoveSeconds) return false;
  lossPending_ = false;
  return true;
}

double KeyboardFocus::UntilDecided(double now) const {
  if (!lossPending_) return std::numeric_limits<double>::infinity();
  const double left = lostAt_ + kFocusMoveSeconds - now;
  return left > 0 ? left : 0.0;
}

}  // namespace veyora
