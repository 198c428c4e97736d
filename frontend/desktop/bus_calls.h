#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

namespace veyora::frontend {

// How long a question to the desktop may take before it counts as unanswered.
inline constexpr int kBusCallTimeoutMs = 2000;

// One method call, waited for up to `timeoutMs`; `startService` lets the bus start
// a service that is not running yet (D-Bus activation). The reply, or an error
// message when there is none.
QDBusMessage CallOnBus(const QDBusConnection& bus, const QString& service, const QString& path,
                       const QString& interface, const QString& method,
                       const QList<QVariant>& arguments = {}, bool startService = false,
                       int timeoutMs = kBusCallTimeoutMs);

// The first value of a reply; nullopt for an error or an empty reply.
std::optional<QVariant> ReplyValue(const QDBusMessage& reply);

// A property read through org.freedesktop.DBus.Properties.Get; nullopt when the
// service does not answer or has no such property.
std::optional<QVariant> BusProperty(const QDBusConnection& bus, const QString& service,
                                    const QString& path, const QString& interface,
                                    const QString& name);

}  // namespace veyora::frontend
