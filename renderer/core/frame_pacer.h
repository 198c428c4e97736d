#pragma once

namespace veyora {

// The refresh period to pace frames to: one over the display's refresh rate in Hz,
// or 1/60 s when the rate is unknown (0 or less).
double RefreshPeriod(int refreshRateHz);

// Keeps frames to one per refresh period. Where the buffer swap waits for the
// display, the display paces the frames and the pacer never waits. Elsewhere (no
// vertical sync, as on virtual and remote displays) it holds each frame to a steady
// schedule of one start per period, so that frames come at the display's rate on
// average however long each took. A frame that starts late is not followed by
// quicker ones to catch up: the schedule moves on from it, and as the scene takes
// one step per frame, a machine too slow for the display shows the animation
// slower, never faster. A swap that was said to wait but lets frames come
// clearly faster than the display refreshes is taken not to wait.
class FramePacer {
 public:
  // `swapWaits`: the driver accepted a swap interval of one refresh.
  FramePacer(double periodSeconds, bool swapWaits);

  // Seconds to wait, at `now`, before the next frame starts.
  double DelayBefore(double now) const;
  // A frame starts at `now`, after the wait.
  void FrameStarted(double now);

  // True while the swap is taken to wait for the display.
  bool DisplayPaces() const { return displayPaces_; }

 private:
  double period_;
  bool displayPaces_;
  bool started_ = false;
  double nextStart_ = 0.0;
  // Frames since the display's pacing was last checked, and when the first began.
  int checkedFrames_ = 0;
  double checkStart_ = 0.0;
};

}  // namespace veyora
