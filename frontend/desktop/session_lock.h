#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <functional>
#include <optional>
#include <vector>

#include "frontend/desktop/desktop_kind.h"
#include "frontend/desktop/lock_sources.h"

namespace veyora::frontend {

// Whether the session is locked or the desktop's shield is up, from the sources
// that fit the desktop (LockSourcesFor): asked now, and followed from then on
// through their signals. An org.freedesktop.ScreenSaver that this program serves
// itself (the idle watch does, for the inhibitors, on X11 desktops without a
// locker) is never taken for a locker.
class SessionLock : public QObject {
  Q_OBJECT

 public:
  explicit SessionLock(DesktopKind desktop);

  // The first source that shows the session locked now; nullopt when none does,
  // or none answers.
  std::optional<LockSource> LockedBy();

  // From now on `onLocked` runs, from the Qt event loop, whenever a source tells
  // of a lock or of the shield coming up, or logind asks the session to lock.
  void Follow(std::function<void(LockSource)> onLocked);

 private Q_SLOTS:
  void GnomeActiveChanged(bool active);
  void FreedesktopActiveChanged(bool active);
  void SessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                const QStringList& invalidated);
  void LockRequested();

 private:
  std::optional<bool> Locked(LockSource source);
  const QString& SessionPath();
  void Tell(LockSource source);

  std::vector<LockSource> sources_;
  std::optional<QString> sessionPath_;  // looked up when first needed
  std::function<void(LockSource)> onLocked_;
};

}  // namespace veyora::frontend
