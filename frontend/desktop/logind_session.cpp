#include "frontend/desktop/logind_session.h"

#include <unistd.h>

#include <QDBusObjectPath>

#include <cstdlib>

#include "frontend/desktop/bus_calls.h"

namespace veyora::frontend {

namespace {

QString SessionPathFrom(const QDBusMessage& reply) {
  const auto value = ReplyValue(reply);
  return value ? value->value<QDBusObjectPath>().path() : QString();
}

}  // namespace

QString LogindSessionPath(const QDBusConnection& systemBus) {
  const char* id = std::getenv("XDG_SESSION_ID");
  for (const QString& name : {QString::fromLocal8Bit(id ? id : ""), QString("auto")}) {
    if (name.isEmpty()) continue;
    const QString path = SessionPathFrom(CallOnBus(systemBus, kLogindService, kLogindManagerPath,
                                                   kLogindManager, "GetSession", {name}));
    if (!path.isEmpty()) return path;
  }
  return SessionPathFrom(CallOnBus(systemBus, kLogindService, kLogindManagerPath, kLogindManager,
                                   "GetSessionByPID", {static_cast<uint>(getpid())}));
}

}  // namespace veyora::frontend
