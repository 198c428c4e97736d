#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "renderer/core/renderer_input.h"

namespace veyora {

// Pointer travel over the renderer's own windows, where no global pointer position
// can be read (Wayland): a window learns where the pointer stands only from the
// motions reported over it. The first position reported on a window is where the
// pointer stands there, and every later one adds its step to a running point that
// stands in for the global pointer position of the input rules. While windows are
// being moved, resized or restacked, what a window reports about the pointer is not
// to be trusted (XWayland reports jumps of hundreds of pixels then): for
// kSettleSeconds after such a change, positions are only taken as where the pointer
// stands.
class SurfaceMotion {
 public:
  static constexpr double kSettleSeconds = 0.5;

  // A motion reported at (x, y) of `window`. The point to hand to the input rules;
  // nullopt for the first position on a window when another window has already
  // reported one (the pointer came over from there, or jumped: nothing to measure).
  // The very first position of all is handed on unmoved, as the motion of a window
  // coming up under a resting pointer.
  std::optional<ScreenPoint> Moved(std::uint32_t window, int x, int y, double now);
  // The pointer left the window: its next position there starts afresh.
  void Left(std::uint32_t window);
  // A window was moved, resized or changed state at `now`: every window starts
  // afresh, and keeps doing so until things have settled.
  void WindowsChanged(double now);

 private:
  std::map<std::uint32_t, ScreenPoint> lastOnWindow_;
  bool anyReported_ = false;
  double settledAt_ = 0.0;
  ScreenPoint travel_;
};

}  // namespace veyora
