#include "renderer/shell/frame_pacer.h"

namespace veyora {

namespace {
constexpr double kFallbackRefreshHz = 60.0;
// A frame at least this share of a period long is taken as paced by the display.
constexpr double kDisplayPacedShare = 0.75;
}  // namespace

double RefreshPeriod(int refreshRateHz) {
  return 1.0 / (refreshRateHz > 0 ? refreshRateHz : kFallbackRefreshHz);
}

double PacingDelay(double frameSeconds, double periodSeconds) {
  if (frameSeconds >= kDisplayPacedShare * periodSeconds) return 0.0;
  return periodSeconds - frameSeconds;
}

}  // namespace veyora
