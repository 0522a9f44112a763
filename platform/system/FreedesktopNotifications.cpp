#include "platform/system/FreedesktopNotifications.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace platform {
namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
// The bus daemon answers at once; a longer wait means it is stuck, and the clock must not be.
constexpr int kOwnerTimeoutMs = 1000;

bool NameHasOwner(QDBusConnection& bus)
{
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << kName;
    const QDBusMessage reply = bus.call(ask, QDBus::Block, kOwnerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty() &&
           reply.arguments().constFirst().toBool();
}
} // namespace

bool FreedesktopNotifications::Notify(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !NameHasOwner(bus)) {
        return false;
    }
    QDBusMessage notify = QDBusMessage::createMethodCall(
        kName, QStringLiteral("/org/freedesktop/Notifications"), kName, QStringLiteral("Notify"));
    notify.setAutoStartService(false);
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the
    // server's default).
    notify << QCoreApplication::applicationName() << 0u << QString() << summary << body << QStringList()
           << QVariantMap() << -1;
    // The reply (the notification's id) is of no use here, so it is not waited for.
    return bus.send(notify);
}

} // namespace platform
