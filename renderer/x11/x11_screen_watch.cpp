#include "renderer/x11/x11_screen_watch.h"

#include <X11/extensions/dpms.h>
#include <X11/extensions/scrnsaver.h>

namespace veyora {

X11ScreenWatch::X11ScreenWatch(Display* display) : display_(display) {
  int eventBase = 0, errorBase = 0;
  hasSaverExtension_ = XScreenSaverQueryExtension(display_, &eventBase, &errorBase);
  hasPowerExtension_ =
      DPMSQueryExtension(display_, &eventBase, &errorBase) && DPMSCapable(display_);
  screen_ = Ask();
}

void X11ScreenWatch::Watch(Window window) {
  XSelectInput(display_, window, VisibilityChangeMask);
  XFlush(display_);
  fullyObscured_[window] = false;
}

void X11ScreenWatch::Note(const XEvent& event) {
  if (event.type != VisibilityNotify) return;
  auto watched = fullyObscured_.find(event.xvisibility.window);
  if (watched != fullyObscured_.end()) {
    watched->second = event.xvisibility.state == VisibilityFullyObscured;
  }
}

void X11ScreenWatch::Poll(double now) {
  if (now < nextPoll_) return;
  screen_ = Ask();
  nextPoll_ = now + kScreenPollSeconds;
}

double X11ScreenWatch::UntilNextPoll(double now) const {
  return nextPoll_ > now ? nextPoll_ - now : 0.0;
}

bool X11ScreenWatch::Seen(Window window) const {
  auto watched = fullyObscured_.find(window);
  return PictureSeen(screen_, watched != fullyObscured_.end() && watched->second);
}

void X11ScreenWatch::WakeActiveSaver() {
  if (!Ask().saverActive) return;
  XResetScreenSaver(display_);
  XFlush(display_);
  screen_ = Ask();
}

ScreenState X11ScreenWatch::Ask() const {
  ScreenState state;
  if (hasSaverExtension_) {
    XScreenSaverInfo info{};
    if (XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info)) {
      state.saverActive = info.state == ScreenSaverOn;
    }
  }
  if (hasPowerExtension_) {
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (DPMSInfo(display_, &level, &enabled) && enabled) state.powerLevel = level;
  }
  return state;
}

}  // namespace veyora
