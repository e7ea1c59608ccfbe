#include "app/RealtimeBroker.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>

namespace {
bool Granted(const QDBusConnection& bus, QDBusMessage call)
{
    return bus.isConnected() &&
           bus.call(call, QDBus::Block, RealtimeBroker::kBrokerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}
} // namespace

bool RealtimeBroker::MakeThreadRealtime(pid_t process, pid_t tid, int priority)
{
    // No system bus at all (a container, a bare session): the connection is not even tried.
    if (qEnvironmentVariableIsSet("DBUS_SYSTEM_BUS_ADDRESS") ||
        QFileInfo::exists(QStringLiteral("/run/dbus/system_bus_socket"))) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.RealtimeKit1"), QStringLiteral("/org/freedesktop/RealtimeKit1"),
            QStringLiteral("org.freedesktop.RealtimeKit1"), QStringLiteral("MakeThreadRealtimeWithPID"));
        call << static_cast<quint64>(process) << static_cast<quint64>(tid) << static_cast<quint32>(priority);
        if (Granted(QDBusConnection::systemBus(), call)) {
            return true;
        }
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/org/freedesktop/portal/desktop"),
        QStringLiteral("org.freedesktop.portal.Realtime"), QStringLiteral("MakeThreadRealtimeWithPID"));
    call << static_cast<quint64>(process) << static_cast<quint64>(tid) << static_cast<quint32>(priority);
    return Granted(QDBusConnection::sessionBus(), call);
}
