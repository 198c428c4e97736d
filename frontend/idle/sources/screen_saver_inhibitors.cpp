#include "frontend/idle/sources/screen_saver_inhibitors.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <iterator>

namespace veyora::frontend {
namespace {

constexpr char kService[] = "org.freedesktop.ScreenSaver";

}  // namespace

bool ScreenSaverInhibitors::Serve() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // Applications ask at either path.
  const auto exports = QDBusConnection::ExportAllSlots;
  if (!bus.registerObject("/org/freedesktop/ScreenSaver", this, exports) ||
      !bus.registerObject("/ScreenSaver", this, exports)) {
    return false;
  }
  const auto reply =
      bus.interface()->registerService(kService, QDBusConnectionInterface::DontQueueService,
                                       QDBusConnectionInterface::DontAllowReplacement);
  if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered)
    return false;
  leaving_ = new QDBusServiceWatcher(this);
  leaving_->setConnection(bus);
  leaving_->setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
  connect(leaving_, &QDBusServiceWatcher::serviceUnregistered, this,
          &ScreenSaverInhibitors::HolderLeft);
  return true;
}

uint ScreenSaverInhibitors::Inhibit(const QString&, const QString&) {
  const QString holder = calledFromDBus() ? message().service() : QString();
  holders_[++lastCookie_] = holder;
  if (!holder.isEmpty()) leaving_->addWatchedService(holder);
  return lastCookie_;
}

void ScreenSaverInhibitors::UnInhibit(uint cookie) { holders_.erase(cookie); }

void ScreenSaverInhibitors::HolderLeft(const QString& holder) {
  leaving_->removeWatchedService(holder);
  std::erase_if(holders_, [&](const auto& entry) { return entry.second == holder; });
}

}  // namespace veyora::frontend
