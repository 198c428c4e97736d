#include "frontend/dialog/zoom_frames.h"

#include <cmath>

namespace veyora::frontend {

namespace {

int Between(int from, int to, int step, int steps) {
  return from + static_cast<int>(std::lround(static_cast<double>(to - from) * step / steps));
}

}  // namespace

std::vector<platform::ScreenRect> ZoomFrames(const platform::ScreenRect& from,
                                             const platform::ScreenRect& to, int frames) {
  std::vector<platform::ScreenRect> outlines;
  for (int step = 1; step <= frames; ++step) {
    outlines.push_back({Between(from.left, to.left, step, frames),
                        Between(from.top, to.top, step, frames),
                        Between(from.right, to.right, step, frames),
                        Between(from.bottom, to.bottom, step, frames)});
  }
  return outlines;
}

}  // namespace veyora::frontend
