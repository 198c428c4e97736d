// Qt before Xlib, whose Bool and Status macros break Qt's headers.
#include <QSocketNotifier>

#include "frontend/preview/window_gone_watch.h"

#include <algorithm>

#include "platform/x_connection.h"

namespace veyora::frontend {

WindowGoneWatch::WindowGoneWatch(Display* display) : display_(display) {}

WindowGoneWatch::~WindowGoneWatch() = default;

bool WindowGoneWatch::Watch(Window window) {
  if (!display_ || window == None) return false;
  // A window destroyed at any moment only raises an error here, which is counted.
  platform::XErrorScope errors(display_);
  XSelectInput(display_, window, StructureNotifyMask);
  if (errors.Failed()) return false;
  watched_.push_back(window);
  return true;
}

bool WindowGoneWatch::Start(std::function<void()> onGone) {
  // Replies waited for so far may have brought events along; they are queued already
  // and will not wake the notifier.
  if (ReadEvents()) return false;
  onGone_ = std::move(onGone);
  notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    if (ReadEvents()) onGone_();
  });
  return true;
}

bool WindowGoneWatch::ReadEvents() {
  while (XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    if (event.type != DestroyNotify) continue;
    if (std::find(watched_.begin(), watched_.end(), event.xdestroywindow.window) ==
        watched_.end()) {
      continue;
    }
    return true;
  }
  return false;
}

}  // namespace veyora::frontend
