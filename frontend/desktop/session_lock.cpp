#include "frontend/desktop/session_lock.h"

#include <QDBusConnectionInterface>
#include <QDBusReply>

#include <filesystem>
#include <system_error>

#include "frontend/desktop/bus_calls.h"
#include "frontend/desktop/logind_session.h"

namespace veyora::frontend {

namespace {

constexpr char kGnomeService[] = "org.gnome.ScreenSaver";
constexpr char kGnomePath[] = "/org/gnome/ScreenSaver";
constexpr char kFreedesktopService[] = "org.freedesktop.ScreenSaver";
constexpr const char* kFreedesktopPaths[] = {"/ScreenSaver", "/org/freedesktop/ScreenSaver"};
// GNOME Shell serves org.gnome.ScreenSaver through a helper the bus starts on the
// first call, which may take a while on a busy machine.
constexpr int kGnomeStartTimeoutMs = 5000;

// The program file a process runs; empty when it cannot be read.
std::filesystem::path ProgramOf(const std::string& pid) {
  std::error_code error;
  auto program = std::filesystem::read_symlink("/proc/" + pid + "/exe", error);
  return error ? std::filesystem::path() : program;
}

// True when the service's owner runs this very program, as the idle watch does
// when it serves org.freedesktop.ScreenSaver for the inhibitors.
bool ServedByThisProgram(const QDBusConnection& bus, const QString& service) {
  const QDBusReply<uint> owner = bus.interface()->servicePid(service);
  if (!owner.isValid()) return false;
  const auto program = ProgramOf(std::to_string(owner.value()));
  return !program.empty() && program == ProgramOf("self");
}

std::optional<bool> ActiveReply(const QDBusMessage& reply) {
  const auto value = ReplyValue(reply);
  if (!value || value->metaType() != QMetaType::fromType<bool>()) return std::nullopt;
  return value->toBool();
}

}  // namespace

SessionLock::SessionLock(DesktopKind desktop) : sources_(LockSourcesFor(desktop)) {}

const QString& SessionLock::SessionPath() {
  if (!sessionPath_) sessionPath_ = LogindSessionPath(QDBusConnection::systemBus());
  return *sessionPath_;
}

std::optional<bool> SessionLock::Locked(LockSource source) {
  const QDBusConnection session = QDBusConnection::sessionBus();
  switch (source) {
    case LockSource::GnomeScreenSaver:
      return ActiveReply(CallOnBus(session, kGnomeService, kGnomePath, kGnomeService, "GetActive",
                                   {}, true, kGnomeStartTimeoutMs));
    case LockSource::FreedesktopScreenSaver:
      if (!session.isConnected() ||
          !session.interface()->isServiceRegistered(kFreedesktopService).value() ||
          ServedByThisProgram(session, kFreedesktopService)) {
        return std::nullopt;
      }
      // KDE answers at both paths, other lockers at one of them.
      for (const char* path : kFreedesktopPaths) {
        const auto active = ActiveReply(
            CallOnBus(session, kFreedesktopService, path, kFreedesktopService, "GetActive"));
        if (active) return active;
      }
      return std::nullopt;
    case LockSource::LogindLockedHint: {
      if (SessionPath().isEmpty()) return std::nullopt;
      const auto hint = BusProperty(QDBusConnection::systemBus(), kLogindService, SessionPath(),
                                    kLogindSession, "LockedHint");
      if (!hint || hint->metaType() != QMetaType::fromType<bool>()) return std::nullopt;
      return hint->toBool();
    }
    case LockSource::LogindLockRequest:
      break;
  }
  return std::nullopt;
}

std::optional<LockSource> SessionLock::LockedBy() {
  for (LockSource source : sources_) {
    if (Locked(source).value_or(false)) return source;
  }
  return std::nullopt;
}

void SessionLock::Follow(std::function<void(LockSource)> onLocked) {
  onLocked_ = std::move(onLocked);
  QDBusConnection session = QDBusConnection::sessionBus();
  QDBusConnection system = QDBusConnection::systemBus();
  for (LockSource source : sources_) {
    switch (source) {
      case LockSource::GnomeScreenSaver:
        session.connect(kGnomeService, kGnomePath, kGnomeService, "ActiveChanged", this,
                        SLOT(GnomeActiveChanged(bool)));
        break;
      case LockSource::FreedesktopScreenSaver:
        for (const char* path : kFreedesktopPaths) {
          session.connect(kFreedesktopService, path, kFreedesktopService, "ActiveChanged", this,
                          SLOT(FreedesktopActiveChanged(bool)));
        }
        break;
      case LockSource::LogindLockedHint:
        if (SessionPath().isEmpty()) break;
        system.connect(kLogindService, SessionPath(), "org.freedesktop.DBus.Properties",
                       "PropertiesChanged", this,
                       SLOT(SessionPropertiesChanged(QString, QVariantMap, QStringList)));
        system.connect(kLogindService, SessionPath(), kLogindSession, "Lock", this,
                       SLOT(LockRequested()));
        break;
      case LockSource::LogindLockRequest:
        break;
    }
  }
}

void SessionLock::Tell(LockSource source) {
  if (onLocked_) onLocked_(source);
}

void SessionLock::GnomeActiveChanged(bool active) {
  if (active) Tell(LockSource::GnomeScreenSaver);
}

void SessionLock::FreedesktopActiveChanged(bool active) {
  // Only a locker of another program's sends it; this program never does.
  if (active) Tell(LockSource::FreedesktopScreenSaver);
}

void SessionLock::SessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                           const QStringList& invalidated) {
  if (interface != kLogindSession) return;
  const auto hint = changed.find("LockedHint");
  const bool locked = hint != changed.end() ? hint->toBool()
                      : invalidated.contains("LockedHint")
                          ? Locked(LockSource::LogindLockedHint).value_or(false)
                          : false;
  if (locked) Tell(LockSource::LogindLockedHint);
}

void SessionLock::LockRequested() { Tell(LockSource::LogindLockRequest); }

}  // namespace veyora::frontend
