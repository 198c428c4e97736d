#pragma once

namespace veyora {

// The refresh period to pace frames to: one over the display's refresh rate in Hz,
// or 1/60 s when the rate is unknown (0 or less).
double RefreshPeriod(int refreshRateHz);

// How long to wait after a frame that took `frameSeconds` (events, drawing and the
// buffer swap), so that frames come once per `periodSeconds`. A frame that already
// took most of a period was held by a swap that waits for the display (or is simply
// slow), and is not delayed further; so the wait only ever fills in for a swap that
// does not wait.
double PacingDelay(double frameSeconds, double periodSeconds);

}  // namespace veyora
