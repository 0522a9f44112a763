#include "platform/system/LogindShutdownService.h"

#include "platform/system/SystemErrors.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QElapsedTimer>

#include <ctime>
#include <limits>

namespace platform {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Queries and requests that may not ask for a password answer at once.
constexpr int kQueryTimeoutMs = 5000;

UINT ErrorOf(const QDBusMessage& reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return ERROR_SUCCESS;
    }
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")) {
        return ERROR_ELEVATION_REQUIRED;
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
        name == QLatin1String("org.freedesktop.DBus.Error.AuthFailed")) {
        return ERROR_ACCESS_DENIED;
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout") ||
        name == QLatin1String("org.freedesktop.DBus.Error.TimedOut")) {
        return ERROR_TIMEOUT;
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Disconnected")) {
        return ERROR_SERVICE_NOT_ACTIVE;
    }
    return ERROR_GEN_FAILURE;
}

// Without interactiveTimeoutMs polkit may not ask and the call answers at once; with it the
// program's event loop keeps running while the user types the password.
QDBusMessage Call(const QString& method, const QVariantList& arguments, int interactiveTimeoutMs = 0)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(interactiveTimeoutMs > 0);
    QDBusConnection bus = QDBusConnection::systemBus();
    if (interactiveTimeoutMs > 0) {
        return bus.call(message, QDBus::BlockWithGui, interactiveTimeoutMs);
    }
    return bus.call(message, QDBus::Block, kQueryTimeoutMs);
}

// A call that may wait for a password. A timeout that comes back before the call's own wait
// ended is logind's answer: it gave up waiting for polkit and refused, and will not act on a
// password typed later. Only the call's own timeout leaves the outcome open.
UINT CallWithPassword(const QString& method, const QVariantList& arguments, int timeoutMs,
                      QDBusMessage& reply)
{
    constexpr qint64 kMarginMs = 500;
    QElapsedTimer waited;
    waited.start();
    reply = Call(method, arguments, timeoutMs);
    const UINT error = ErrorOf(reply);
    if (error == ERROR_TIMEOUT && waited.elapsed() < timeoutMs - kMarginMs) {
        return ERROR_ACCESS_DENIED;
    }
    return error;
}

// A question to the bus itself, about logind's name.
QVariant AskBus(const QString& method, const QVariantList& arguments)
{
    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"),
                                                          QStringLiteral("/org/freedesktop/DBus"),
                                                          QStringLiteral("org.freedesktop.DBus"), method);
    message.setArguments(arguments);
    const QDBusMessage reply = QDBusConnection::systemBus().call(message, QDBus::Block, kQueryTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().constFirst();
}

QString TypeOf(ShutdownAction action, bool dryRun)
{
    const QString type =
        action == ShutdownAction::Reboot ? QStringLiteral("reboot") : QStringLiteral("poweroff");
    return dryRun ? QStringLiteral("dry-") + type : type;
}

} // namespace

UINT LogindShutdownService::Connect()
{
    if (!QDBusConnection::systemBus().isConnected()) {
        return ERROR_SERVICE_NOT_ACTIVE;
    }
    // logind normally runs; where it is started on demand, the bus knows it can start it.
    if (AskBus(QStringLiteral("NameHasOwner"), {kService}).toBool() ||
        AskBus(QStringLiteral("ListActivatableNames"), {}).toStringList().contains(kService)) {
        return ERROR_SUCCESS;
    }
    return ERROR_SERVICE_NOT_ACTIVE;
}

UINT LogindShutdownService::CanShutdown(ShutdownAction action, ShutdownRight& right)
{
    const QString method =
        action == ShutdownAction::Reboot ? QStringLiteral("CanReboot") : QStringLiteral("CanPowerOff");
    const QDBusMessage reply = Call(method, {});
    if (const UINT error = ErrorOf(reply); error != ERROR_SUCCESS) {
        return error;
    }
    if (reply.arguments().isEmpty()) {
        return ERROR_GEN_FAILURE;
    }
    right = RightOf(reply.arguments().constFirst().toString());
    return ERROR_SUCCESS;
}

UINT LogindShutdownService::SetWallMessage(const QString& message)
{
    return ErrorOf(Call(QStringLiteral("SetWallMessage"), {message, true}));
}

UINT LogindShutdownService::ScheduleShutdown(ShutdownAction action, bool dryRun, quint64 dueUsec,
                                             bool interactive)
{
    const QString method = QStringLiteral("ScheduleShutdown");
    const QVariantList arguments = {TypeOf(action, dryRun), QVariant::fromValue(dueUsec)};
    if (!interactive) {
        return ErrorOf(Call(method, arguments));
    }
    QDBusMessage reply;
    return CallWithPassword(method, arguments, m_interactiveTimeoutMs, reply);
}

UINT LogindShutdownService::CancelScheduledShutdown(bool& wasPending)
{
    QDBusMessage reply;
    if (const UINT error =
            CallWithPassword(QStringLiteral("CancelScheduledShutdown"), {}, m_interactiveTimeoutMs, reply);
        error != ERROR_SUCCESS) {
        return error;
    }
    wasPending = !reply.arguments().isEmpty() && reply.arguments().constFirst().toBool();
    return ERROR_SUCCESS;
}

UINT LogindShutdownService::GetScheduledShutdown(PendingShutdown& pending)
{
    QDBusMessage message = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << kManager << QStringLiteral("ScheduledShutdown");
    const QDBusMessage reply = QDBusConnection::systemBus().call(message, QDBus::Block, kQueryTimeoutMs);
    if (const UINT error = ErrorOf(reply); error != ERROR_SUCCESS) {
        return error;
    }
    if (reply.arguments().isEmpty()) {
        return ERROR_GEN_FAILURE;
    }
    const QVariant value = reply.arguments().constFirst().value<QDBusVariant>().variant();
    if (!value.canConvert<QDBusArgument>()) {
        return ERROR_GEN_FAILURE;
    }
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("(st)")) {
        return ERROR_GEN_FAILURE;
    }
    QString type;
    quint64 usec = 0;
    argument.beginStructure();
    argument >> type >> usec;
    argument.endStructure();
    // logind reads ("", 0) or ("", UINT64_MAX) when nothing is pending.
    if (type.isEmpty() || usec == 0 || usec == std::numeric_limits<quint64>::max()) {
        pending = {};
    } else {
        pending = {type, usec};
    }
    return ERROR_SUCCESS;
}

quint64 LogindShutdownService::NowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<quint64>(now.tv_sec) * kUsecPerSecond + static_cast<quint64>(now.tv_nsec) / 1000u;
}

quint64 LogindShutdownService::InteractiveTimeoutUsec() const
{
    return static_cast<quint64>(m_interactiveTimeoutMs) * 1000u;
}

} // namespace platform
