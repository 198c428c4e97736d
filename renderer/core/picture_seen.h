#pragma once

namespace veyora {

// How often the X server is asked about its screen saver and the monitor's power:
// often enough to resume well within half a second, rarely enough to cost nothing.
constexpr double kScreenPollSeconds = 0.25;

// What the X server says about the screen as a whole.
struct ScreenState {
  bool saverActive = false;  // the server's own screen saver is on (blanked)
  int powerLevel = 0;        // DPMS: 0 on, 1 standby, 2 suspend, 3 off
};

// True when a window's picture can be seen, so a frame drawn into it is worth
// drawing: the server's saver is off, the monitor is powered on and the window is
// not fully covered.
bool PictureSeen(const ScreenState& screen, bool windowFullyObscured);

}  // namespace veyora
