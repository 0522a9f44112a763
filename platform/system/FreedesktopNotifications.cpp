#include "platform/system/FreedesktopNotifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QGuiApplication>
#include <QStringList>
#include <QVariantMap>

namespace platform {
namespace {
const QString kName = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
// A server started on demand may take a while; the bus itself gives up on a start after 25 s.
constexpr int kAnswerTimeoutMs = 30000;

void SendNotify(const QDBusConnection& bus, const QString& icon, const QString& summary, const QString& body)
{
    QDBusMessage notify = QDBusMessage::createMethodCall(kName, kPath, kName, QStringLiteral("Notify"));
    QVariantMap hints;
    const QString entry = QGuiApplication::desktopFileName();
    if (!entry.isEmpty())
        hints.insert(QStringLiteral("desktop-entry"), entry);
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the
    // server's default).
    notify << QCoreApplication::applicationName() << 0U << icon << summary << body << QStringList() << hints
           << -1;
    // The reply (the notification's id) is of no use here, so it is not waited for.
    bus.send(notify);
}
} // namespace

bool FreedesktopNotifications::Notify(const QString& summary, const QString& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    // Auto-start stays on: servers such as dunst or mako only run once asked for.
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(kName, kPath, kName, QStringLiteral("GetCapabilities"));
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ask, kAnswerTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [bus, icon = m_iconName, summary, body](QDBusPendingCallWatcher* answered) {
                         answered->deleteLater();
                         const QDBusMessage reply = answered->reply();
                         // No server running and none to start: the program tells the user
                         // its own way, and nothing is retried.
                         if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
                             return;
                         const QStringList capabilities = reply.arguments().constFirst().toStringList();
                         // Names such as "Tom &" or "<i>Jerry</i>" are text, not markup.
                         const bool markup = capabilities.contains(QStringLiteral("body-markup"));
                         SendNotify(bus, icon, summary, markup ? body.toHtmlEscaped() : body);
                     });
    return true;
}

} // namespace platform
