#pragma once

#include <X11/Xlib.h>

#include <map>

#include "renderer/core/picture_seen.h"

namespace veyora {

// Watches what decides whether the renderer's windows can be seen: the X server's
// screen saver and the monitor's power level, asked at most every
// kScreenPollSeconds, and whether each watched window is fully covered, from the
// visibility events this connection receives for it. Never resets or suspends the
// server's saver, except through WakeActiveSaver.
class X11ScreenWatch {
 public:
  // `display` is a connection of the renderer's own, not the one its windows are
  // drawn through; its events are read by the caller and handed to Note.
  explicit X11ScreenWatch(Display* display);

  // Starts following the window's visibility; it counts as uncovered until told
  // otherwise.
  void Watch(Window window);
  // Takes in an event of the connection; all but visibility changes are ignored.
  void Note(const XEvent& event);
  // Asks the server again when the last answer is older than the poll interval.
  void Poll(double now);
  // Seconds from `now` until the next Poll asks the server.
  double UntilNextPoll(double now) const;

  // True when the window's picture can be seen now.
  bool Seen(Window window) const;

  // Turns the server's saver off if it is on now. Run once at start: an idle runner
  // starts the renderer when the saver comes on, and the glow is to be seen; from
  // then on the server's own timeout runs again.
  void WakeActiveSaver();

 private:
  ScreenState Ask() const;

  Display* display_;
  bool hasSaverExtension_ = false;
  bool hasPowerExtension_ = false;
  ScreenState screen_;
  double nextPoll_ = 0.0;
  std::map<Window, bool> fullyObscured_;
};

}  // namespace veyora
