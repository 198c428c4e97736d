#include "frontend/idle/sources/gnome_idle_source.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QVariant>

namespace veyora::frontend {
namespace {

constexpr char kMonitorService[] = "org.gnome.Mutter.IdleMonitor";
constexpr char kMonitorPath[] = "/org/gnome/Mutter/IdleMonitor/Core";
constexpr char kMonitorInterface[] = "org.gnome.Mutter.IdleMonitor";
constexpr char kSessionService[] = "org.gnome.SessionManager";
constexpr char kSessionPath[] = "/org/gnome/SessionManager";
constexpr char kSessionInterface[] = "org.gnome.SessionManager";
// IsInhibited's flag for "the session may not be marked idle".
constexpr uint32_t kInhibitIdle = 8;
// A bus call that takes longer than this is taken as no answer.
constexpr int kCallTimeoutMs = 2000;

QDBusMessage MonitorCall(const char* method) {
  return QDBusMessage::createMethodCall(kMonitorService, kMonitorPath, kMonitorInterface, method);
}

}  // namespace

bool GnomeIdleSource::Present() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  return bus.isConnected() && bus.interface()->isServiceRegistered(kMonitorService).value();
}

GnomeIdleSource::GnomeIdleSource(std::chrono::milliseconds delay) : delay_(delay) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.connect(kMonitorService, kMonitorPath, kMonitorInterface, "WatchFired", this,
              SLOT(WatchFired(uint)));
  // A monitor that starts anew (the shell restarted) has forgotten the watches.
  auto* watcher =
      new QDBusServiceWatcher(kMonitorService, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
          [this](const QString&, const QString&, const QString& owner) {
            if (owner.isEmpty()) {
              if (onLost) onLost();
            } else {
              activeWatch_ = 0;
              AddIdleWatch();
            }
          });
  AddIdleWatch();
}

void GnomeIdleSource::AddIdleWatch() {
  QDBusMessage call = MonitorCall("AddIdleWatch");
  call << QVariant::fromValue<qulonglong>(delay_.count());
  const QDBusReply<uint> reply =
      QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
  idleWatch_ = reply.isValid() ? reply.value() : 0;
}

void GnomeIdleSource::SetDelay(std::chrono::milliseconds delay) {
  if (delay == delay_) return;
  delay_ = delay;
  if (idleWatch_ != 0) {
    QDBusMessage remove = MonitorCall("RemoveWatch");
    remove << idleWatch_;
    QDBusConnection::sessionBus().call(remove, QDBus::Block, kCallTimeoutMs);
  }
  // A pending user-active watch still tells of the next input.
  AddIdleWatch();
}

void GnomeIdleSource::WatchFired(uint id) {
  if (id == 0) return;
  if (id == idleWatch_) {
    // The user-active watch fires once, at the next input.
    const QDBusReply<uint> reply = QDBusConnection::sessionBus().call(
        MonitorCall("AddUserActiveWatch"), QDBus::Block, kCallTimeoutMs);
    activeWatch_ = reply.isValid() ? reply.value() : 0;
    if (onIdle) onIdle();
  } else if (id == activeWatch_) {
    activeWatch_ = 0;
    if (onActive) onActive();
  }
}

bool GnomeIdleSource::ScreenHeldAwake() {
  QDBusMessage call = QDBusMessage::createMethodCall(kSessionService, kSessionPath,
                                                     kSessionInterface, "IsInhibited");
  call << kInhibitIdle;
  const QDBusReply<bool> reply =
      QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
  return reply.isValid() && reply.value();
}

}  // namespace veyora::frontend
