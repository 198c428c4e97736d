#include "frontend/ui/timer.h"

namespace veyora::frontend::ui {

Timer::Timer(int intervalMs, bool enabled) : interval_(intervalMs), enabled_(enabled) {
  QObject::connect(&timer_, &QTimer::timeout, [this] {
    if (onTick) onTick();
  });
  Apply();
}

void Timer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void Timer::Apply() {
  // Enabling a running timer starts its count again, as window timers do.
  if (enabled_ && interval_ > 0) {
    timer_.start(interval_);
  } else {
    timer_.stop();
  }
}

}  // namespace veyora::frontend::ui
