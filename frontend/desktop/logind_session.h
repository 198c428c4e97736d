#pragma once

#include <QDBusConnection>
#include <QString>

namespace veyora::frontend {

inline constexpr char kLogindService[] = "org.freedesktop.login1";
inline constexpr char kLogindManagerPath[] = "/org/freedesktop/login1";
inline constexpr char kLogindManager[] = "org.freedesktop.login1.Manager";
inline constexpr char kLogindSession[] = "org.freedesktop.login1.Session";

// The object path of this program's logind session on `systemBus`: the session
// XDG_SESSION_ID names, else the one logind picks for the caller ("auto": the
// caller's own session, or its user's graphical one), else the session of this
// process. Empty when logind names none.
QString LogindSessionPath(const QDBusConnection& systemBus);

}  // namespace veyora::frontend
