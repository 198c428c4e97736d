#include "frontend/desktop/bus_calls.h"

#include <QDBusVariant>

namespace veyora::frontend {

QDBusMessage CallOnBus(const QDBusConnection& bus, const QString& service, const QString& path,
                       const QString& interface, const QString& method,
                       const QList<QVariant>& arguments, bool startService, int timeoutMs) {
  QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, method);
  call.setArguments(arguments);
  call.setAutoStartService(startService);
  if (!bus.isConnected()) return call.createErrorReply(QDBusError::Disconnected, "no bus");
  return bus.call(call, QDBus::Block, timeoutMs);
}

std::optional<QVariant> ReplyValue(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    return std::nullopt;
  }
  return reply.arguments().constFirst();
}

std::optional<QVariant> BusProperty(const QDBusConnection& bus, const QString& service,
                                    const QString& path, const QString& interface,
                                    const QString& name) {
  const auto value = ReplyValue(
      CallOnBus(bus, service, path, "org.freedesktop.DBus.Properties", "Get", {interface, name}));
  if (!value) return std::nullopt;
  return value->value<QDBusVariant>().variant();
}

}  // namespace veyora::frontend
