#pragma once

#include <QObject>

#include <chrono>
#include <cstdint>

#include "frontend/idle/sources/idle_source.h"

namespace veyora::frontend {

// Idle notices from GNOME's idle monitor on the session bus (GNOME on Wayland
// and on X11). Applications hold the screen awake there through the session
// manager's idle inhibitors, which the monitor does not honour by itself.
class GnomeIdleSource : public QObject, public IdleSource {
  Q_OBJECT

 public:
  // True when the session bus has GNOME's idle monitor.
  static bool Present();

  // Asks the monitor for a notice after `delay` of idleness.
  explicit GnomeIdleSource(std::chrono::milliseconds delay);

  // True while the session manager holds an idle inhibitor.
  bool ScreenHeldAwake() override;
  void SetDelay(std::chrono::milliseconds delay) override;

 private Q_SLOTS:
  void WatchFired(uint id);

 private:
  void AddIdleWatch();

  std::chrono::milliseconds delay_;
  uint32_t idleWatch_ = 0;
  uint32_t activeWatch_ = 0;
};

}  // namespace veyora::frontend
