#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <cstdint>
#include <map>

class QDBusServiceWatcher;

namespace veyora::frontend {

// The inhibitors applications (video players, browsers, presentations) hold
// through org.freedesktop.ScreenSaver on the session bus, which an X11 session
// without a desktop of its own leaves unserved: this object serves the name where
// no one else does. An inhibitor lasts until UnInhibit with its cookie, or until
// the application that holds it leaves the bus.
class ScreenSaverInhibitors : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

 public:
  // Serves the name; false when there is no session bus or another program
  // serves it already.
  bool Serve();
  bool Held() const { return !holders_.empty(); }

 public Q_SLOTS:
  uint Inhibit(const QString& application, const QString& reason);
  void UnInhibit(uint cookie);

 private:
  void HolderLeft(const QString& holder);

  std::map<uint32_t, QString> holders_;  // cookie: the holder's bus name
  uint32_t lastCookie_ = 0;
  QDBusServiceWatcher* leaving_ = nullptr;
};

}  // namespace veyora::frontend
