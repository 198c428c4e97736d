#pragma once

#include <chrono>
#include <memory>

#include "frontend/idle/sources/idle_source.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
class QSocketNotifier;

namespace veyora::frontend {

// Idle notices from the Wayland compositor, which already honours its idle
// inhibitors (video players, presentations): ext-idle-notify-v1, or the older
// org_kde_kwin_idle.
class WaylandIdleSource : public IdleSource {
 public:
  // The compositor of WAYLAND_DISPLAY with its globals listed; null when there is
  // none to connect to.
  static std::unique_ptr<WaylandIdleSource> Connect();
  ~WaylandIdleSource() override;

  bool OffersIdleNotify() const { return notifier_ && seat_; }
  bool OffersKdeIdle() const { return kdeIdle_ && seat_; }

  // Asks for notices after `delay` of idleness through ext-idle-notify-v1 or
  // org_kde_kwin_idle; they arrive once the Qt event loop runs.
  void Watch(bool idleNotify, std::chrono::milliseconds delay);
  void SetDelay(std::chrono::milliseconds delay) override;

 private:
  WaylandIdleSource() = default;
  // Asks for the notices after `delay` through the protocol Watch chose.
  void Arm(std::chrono::milliseconds delay);
  void ReadEvents();

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  ext_idle_notifier_v1* notifier_ = nullptr;
  ext_idle_notification_v1* notification_ = nullptr;
  org_kde_kwin_idle* kdeIdle_ = nullptr;
  org_kde_kwin_idle_timeout* kdeTimeout_ = nullptr;
  bool idleNotify_ = false;
  std::unique_ptr<QSocketNotifier> readable_;

  friend struct WaylandIdleListeners;
};

}  // namespace veyora::frontend
