#pragma once

#include <vector>

#include "frontend/desktop/desktop_kind.h"

namespace veyora::frontend {

// Where the screensaver learns that the session is locked, or that the desktop's
// shield (the blank curtain the lock screen rises from) is up.
enum class LockSource {
  GnomeScreenSaver,        // org.gnome.ScreenSaver on the session bus: GNOME Shell
  FreedesktopScreenSaver,  // org.freedesktop.ScreenSaver on the session bus: KDE's locker
  LogindLockedHint,        // our logind session's LockedHint, which lockers set
  LogindLockRequest,       // logind asked the session's locker to lock (loginctl lock-session)
};

// The sources to ask, in the order that fits the desktop: its own locker first,
// then logind, which every locker that knows it tells. Elsewhere logind first,
// then org.freedesktop.ScreenSaver where another program serves it.
std::vector<LockSource> LockSourcesFor(DesktopKind desktop);

// The source as a message names it.
const char* LockSourceName(LockSource source);

}  // namespace veyora::frontend
