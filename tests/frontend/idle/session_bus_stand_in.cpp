// Stands in for GNOME on a private session bus: the idle monitor, whose watches
// fire when the test says so, and the session manager with an idle inhibitor the
// test sets. Methods the real services lack (FireIdleWatches, FireUserActive,
// SetIdleInhibited) are the test's handles. With --inhibit it stands in for a
// video player instead: it holds an org.freedesktop.ScreenSaver inhibitor for as
// long as it runs.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>

#include <set>

class IdleMonitorStandIn : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

 public Q_SLOTS:
  Q_SCRIPTABLE uint AddIdleWatch(qulonglong) { return Add(idleWatches_); }
  Q_SCRIPTABLE uint AddUserActiveWatch() { return Add(activeWatches_); }
  // Returns how many watches fired.
  Q_SCRIPTABLE uint FireIdleWatches() { return Fire(idleWatches_, false); }
  Q_SCRIPTABLE uint FireUserActive() { return Fire(activeWatches_, true); }

 Q_SIGNALS:
  Q_SCRIPTABLE void WatchFired(uint id);

 private:
  uint Add(std::set<uint>& watches) {
    watches.insert(++lastId_);
    return lastId_;
  }
  // Idle watches stay; user-active watches fire once.
  uint Fire(std::set<uint>& watches, bool once) {
    const std::set<uint> firing = watches;
    if (once) watches.clear();
    for (uint id : firing) Q_EMIT WatchFired(id);
    return static_cast<uint>(firing.size());
  }

  std::set<uint> idleWatches_;
  std::set<uint> activeWatches_;
  uint lastId_ = 0;
};

class SessionManagerStandIn : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.gnome.SessionManager")

 public Q_SLOTS:
  Q_SCRIPTABLE bool IsInhibited(uint flags) { return idleInhibited_ && (flags & 8) != 0; }
  Q_SCRIPTABLE void SetIdleInhibited(bool inhibited) { idleInhibited_ = inhibited; }

 private:
  bool idleInhibited_ = false;
};

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (argc > 1 && QByteArray(argv[1]) == "--inhibit") {
    QDBusMessage inhibit = QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver",
                                                          "/org/freedesktop/ScreenSaver",
                                                          "org.freedesktop.ScreenSaver", "Inhibit");
    inhibit << QString("test") << QString("a video");
    return bus.call(inhibit).type() == QDBusMessage::ReplyMessage ? QCoreApplication::exec() : 1;
  }
  IdleMonitorStandIn monitor;
  SessionManagerStandIn session;
  const auto exports =
      QDBusConnection::ExportScriptableSlots | QDBusConnection::ExportScriptableSignals;
  if (!bus.registerObject("/org/gnome/Mutter/IdleMonitor/Core", &monitor, exports) ||
      !bus.registerObject("/org/gnome/SessionManager", &session, exports) ||
      !bus.registerService("org.gnome.SessionManager") ||
      // Last, so that the idle monitor's name shows the whole stand-in is ready.
      !bus.registerService("org.gnome.Mutter.IdleMonitor")) {
    return 1;
  }
  return QCoreApplication::exec();
}

#include "session_bus_stand_in.moc"
