#include "renderer/core/frame_pacer.h"

#include <algorithm>

namespace veyora {

namespace {
constexpr double kFallbackRefreshHz = 60.0;
// A frame this share of a period late (a busy machine, a slow frame) restarts the
// schedule from itself; a smaller lateness, such as a sleep that overran, is made up
// by the next frame so the rate holds.
constexpr double kLateShare = 0.25;
// The display's pacing is checked over this many frames: a swap that waits lets them
// take at least their periods, less the few frames a driver may queue ahead.
constexpr int kCheckFrames = 60;
constexpr double kPacedShare = 0.9;
}  // namespace

double RefreshPeriod(int refreshRateHz) {
  return 1.0 / (refreshRateHz > 0 ? refreshRateHz : kFallbackRefreshHz);
}

FramePacer::FramePacer(double periodSeconds, bool swapWaits)
    : period_(periodSeconds), displayPaces_(swapWaits) {}

double FramePacer::DelayBefore(double now) const {
  if (displayPaces_ || !started_) return 0.0;
  return std::max(0.0, nextStart_ - now);
}

void FramePacer::FrameStarted(double now) {
  if (!started_ || now - nextStart_ > kLateShare * period_) {
    nextStart_ = now + period_;
  } else {
    nextStart_ += period_;
  }
  started_ = true;
  if (!displayPaces_) return;
  if (checkedFrames_ == 0) checkStart_ = now;
  if (++checkedFrames_ <= kCheckFrames) return;
  // kCheckFrames whole frames have passed since checkStart_.
  if (now - checkStart_ < kPacedShare * kCheckFrames * period_) displayPaces_ = false;
  checkedFrames_ = 0;
}

}  // namespace veyora
