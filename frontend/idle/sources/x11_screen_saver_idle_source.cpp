#include "frontend/idle/sources/x11_screen_saver_idle_source.h"

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

#include <QSocketNotifier>

namespace veyora::frontend {
namespace {

// The server's idle time and our own clock tick apart by a few milliseconds.
constexpr std::chrono::milliseconds kClockSlack{100};
// How long past the server's own timeout its saver must have stayed off before
// that counts as suspended, so that a saver just coming on is not taken for one.
constexpr std::chrono::milliseconds kSuspensionSlack{500};

}  // namespace

std::unique_ptr<X11ScreenSaverIdleSource> X11ScreenSaverIdleSource::Open(
    std::chrono::milliseconds delay) {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return nullptr;
  int eventBase = 0, errorBase = 0;
  if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) {
    XCloseDisplay(display);
    return nullptr;
  }
  std::unique_ptr<X11ScreenSaverIdleSource> source(new X11ScreenSaverIdleSource(display, delay));
  source->eventBase_ = eventBase;
  return source;
}

X11ScreenSaverIdleSource::X11ScreenSaverIdleSource(Display* display,
                                                   std::chrono::milliseconds delay)
    : display_(display), delay_(delay) {
  nextLook_.setSingleShot(true);
  nextLook_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&nextLook_, &QTimer::timeout, [this] { Check(); });
}

X11ScreenSaverIdleSource::~X11ScreenSaverIdleSource() {
  readable_.reset();
  XCloseDisplay(display_);
}

void X11ScreenSaverIdleSource::Watch() {
  inhibitors_.Serve();
  XScreenSaverSelectInput(display_, DefaultRootWindow(display_), ScreenSaverNotifyMask);
  XFlush(display_);
  readable_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
  Check();
}

void X11ScreenSaverIdleSource::ReadEvents() {
  // A connection the server has closed ends the process through Xlib's I/O
  // error handler, as for every X client.
  bool saverChanged = false;
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    saverChanged |= event.type == eventBase_ + ScreenSaverNotify;
  }
  if (saverChanged) Check();
}

void X11ScreenSaverIdleSource::Check() {
  XScreenSaverInfo info{};
  if (!XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info)) return;
  const auto now = std::chrono::steady_clock::now();
  const std::chrono::milliseconds idle(info.idle);
  const bool inputSinceLastLook =
      lastIdle_ &&
      idle + kClockSlack <
          *lastIdle_ + std::chrono::duration_cast<std::chrono::milliseconds>(now - lastLook_);
  lastIdle_ = idle;
  lastLook_ = now;

  if (idle_ && (inputSinceLastLook || idle < delay_)) {
    idle_ = false;
    if (onActive) onActive();
  }
  if (!idle_ && idle >= delay_) {
    idle_ = true;
    if (onIdle) onIdle();
  }
  // Next look: when the idle time reaches the delay, or, while idle, after one
  // more delay to notice the user's return.
  nextLook_.start(idle < delay_ ? delay_ - idle : delay_);
}

void X11ScreenSaverIdleSource::SetDelay(std::chrono::milliseconds delay) {
  delay_ = delay;
  // The next look, when the idle time reaches the new delay.
  Check();
}

std::optional<DesktopIdleChain> X11ScreenSaverIdleSource::OwnIdleChain() {
  int timeout = 0, interval = 0, blanking = 0, exposures = 0;
  XGetScreenSaver(display_, &timeout, &interval, &blanking, &exposures);
  return X11IdleChain(timeout);
}

bool X11ScreenSaverIdleSource::ScreenHeldAwake() {
  if (inhibitors_.Held()) return true;
  int timeout = 0, interval = 0, blanking = 0, exposures = 0;
  XGetScreenSaver(display_, &timeout, &interval, &blanking, &exposures);
  XScreenSaverInfo info{};
  if (timeout <= 0 || !XScreenSaverQueryInfo(display_, DefaultRootWindow(display_), &info)) {
    return false;
  }
  return info.state == ScreenSaverOff &&
         std::chrono::milliseconds(info.idle) >= std::chrono::seconds(timeout) + kSuspensionSlack;
}

}  // namespace veyora::frontend
