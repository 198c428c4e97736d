#pragma once

#include <cstdint>
#include <set>

namespace veyora {

// The keyboard focus over the renderer's windows, where a window is told only that
// it lost the focus, not who took it (Wayland). Focus moving from one of our windows
// to another arrives as a loss followed by a gain; only a loss that no gain follows
// within kFocusMoveSeconds is the focus leaving us for another client. Focus that
// we never held cannot leave us.
class KeyboardFocus {
 public:
  static constexpr double kFocusMoveSeconds = 0.25;

  void Gained(std::uint32_t window);
  void Lost(std::uint32_t window, double now);
  // True once, when focus we held has been with none of our windows since a loss
  // kFocusMoveSeconds ago or more.
  bool LeftUs(double now);
  // Seconds from `now` until LeftUs can next turn true; a long time when no loss
  // is waiting to be decided.
  double UntilDecided(double now) const;

 private:
  std::set<std::uint32_t> holding_;
  bool lossPending_ = false;
  double lostAt_ = 0.0;
};

}  // namespace veyora
