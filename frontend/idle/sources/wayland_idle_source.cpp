#include "frontend/idle/sources/wayland_idle_source.h"

#include <wayland-client.h>

#include <cstdint>
#include <cstring>

#include <QSocketNotifier>

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

namespace veyora::frontend {

// The C listeners the protocol objects call, forwarding to the source.
struct WaylandIdleListeners {
  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t) {
    auto* source = static_cast<WaylandIdleSource*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !source->seat_) {
      source->seat_ =
          static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    } else if (std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0) {
      source->notifier_ = static_cast<ext_idle_notifier_v1*>(
          wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
    } else if (std::strcmp(interface, org_kde_kwin_idle_interface.name) == 0) {
      source->kdeIdle_ = static_cast<org_kde_kwin_idle*>(
          wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
    }
  }
  static void GlobalRemove(void*, wl_registry*, uint32_t) {}

  static void Idle(void* data) {
    auto* source = static_cast<WaylandIdleSource*>(data);
    if (source->onIdle) source->onIdle();
  }
  static void Active(void* data) {
    auto* source = static_cast<WaylandIdleSource*>(data);
    if (source->onActive) source->onActive();
  }
  static void NotificationIdled(void* data, ext_idle_notification_v1*) { Idle(data); }
  static void NotificationResumed(void* data, ext_idle_notification_v1*) { Active(data); }
  static void KdeIdle(void* data, org_kde_kwin_idle_timeout*) { Idle(data); }
  static void KdeResumed(void* data, org_kde_kwin_idle_timeout*) { Active(data); }

  static constexpr wl_registry_listener kRegistry{Global, GlobalRemove};
  static constexpr ext_idle_notification_v1_listener kNotification{NotificationIdled,
                                                                   NotificationResumed};
  static constexpr org_kde_kwin_idle_timeout_listener kKdeTimeout{KdeIdle, KdeResumed};
};

std::unique_ptr<WaylandIdleSource> WaylandIdleSource::Connect() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<WaylandIdleSource> source(new WaylandIdleSource);
  source->display_ = display;
  source->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(source->registry_, &WaylandIdleListeners::kRegistry, source.get());
  if (wl_display_roundtrip(display) < 0) return nullptr;
  return source;
}

WaylandIdleSource::~WaylandIdleSource() {
  readable_.reset();
  if (notification_) ext_idle_notification_v1_destroy(notification_);
  if (kdeTimeout_) org_kde_kwin_idle_timeout_release(kdeTimeout_);
  if (notifier_) ext_idle_notifier_v1_destroy(notifier_);
  if (kdeIdle_) org_kde_kwin_idle_destroy(kdeIdle_);
  if (seat_) wl_seat_destroy(seat_);
  if (registry_) wl_registry_destroy(registry_);
  wl_display_disconnect(display_);
}

void WaylandIdleSource::Watch(bool idleNotify, std::chrono::milliseconds delay) {
  idleNotify_ = idleNotify;
  Arm(delay);
  readable_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_), QSocketNotifier::Read);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
}

void WaylandIdleSource::SetDelay(std::chrono::milliseconds delay) {
  // A notification's timeout is fixed when it is made: the old one goes, a new one
  // counts from now.
  if (notification_) ext_idle_notification_v1_destroy(notification_);
  if (kdeTimeout_) org_kde_kwin_idle_timeout_release(kdeTimeout_);
  notification_ = nullptr;
  kdeTimeout_ = nullptr;
  Arm(delay);
}

void WaylandIdleSource::Arm(std::chrono::milliseconds delay) {
  const auto timeout = static_cast<uint32_t>(delay.count());
  if (idleNotify_) {
    notification_ = ext_idle_notifier_v1_get_idle_notification(notifier_, timeout, seat_);
    ext_idle_notification_v1_add_listener(notification_, &WaylandIdleListeners::kNotification,
                                          this);
  } else {
    kdeTimeout_ = org_kde_kwin_idle_get_idle_timeout(kdeIdle_, seat_, timeout);
    org_kde_kwin_idle_timeout_add_listener(kdeTimeout_, &WaylandIdleListeners::kKdeTimeout, this);
  }
  wl_display_flush(display_);
}

void WaylandIdleSource::ReadEvents() {
  while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
  // The descriptor is readable, so this read does not block.
  if (wl_display_read_events(display_) < 0) {
    readable_->setEnabled(false);
    if (onLost) onLost();
    return;
  }
  wl_display_dispatch_pending(display_);
  wl_display_flush(display_);
}

}  // namespace veyora::frontend
