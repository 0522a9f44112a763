#include "platform/system/LogindShutdownService.h"

#include "platform/system/SystemErrors.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusVariant>

#include <ctime>
#include <limits>

namespace platform {
namespace {

const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");

// Queries answer at once; a request may wait for the user to type a password into polkit's
// prompt, and meanwhile the program's event loop keeps running.
constexpr int kQueryTimeoutMs = 5000;
constexpr int kRequestTimeoutMs = 120000;

UINT ErrorOf(const QDBusMessage& reply)
{
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return ERROR_SUCCESS;
    }
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.AccessDenied") ||
        name == QLatin1String("org.freedesktop.DBus.Error.AuthFailed") ||
        name == QLatin1String("org.freedesktop.DBus.Error.InteractiveAuthorizationRequired")) {
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

QDBusMessage Call(const QString& method, const QVariantList& arguments, bool interactive)
{
    QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, kManager, method);
    message.setArguments(arguments);
    message.setInteractiveAuthorizationAllowed(interactive);
    QDBusConnection bus = QDBusConnection::systemBus();
    if (interactive) {
        return bus.call(message, QDBus::BlockWithGui, kRequestTimeoutMs);
    }
    return bus.call(message, QDBus::Block, kQueryTimeoutMs);
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

quint64 RealtimeUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<quint64>(now.tv_sec) * 1000000u + static_cast<quint64>(now.tv_nsec) / 1000u;
}

QString TypeOf(ShutdownAction action)
{
    QString type = action == ShutdownAction::Reboot ? QStringLiteral("reboot") : QStringLiteral("poweroff");
    if (qEnvironmentVariable("QUILLON_SHUTDOWN_DRY_RUN") == QLatin1String("1")) {
        return QStringLiteral("dry-") + type;
    }
    return type;
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

UINT LogindShutdownService::CanShutdown(ShutdownAction action, QString& answer)
{
    const QString method =
        action == ShutdownAction::Reboot ? QStringLiteral("CanReboot") : QStringLiteral("CanPowerOff");
    const QDBusMessage reply = Call(method, {}, false);
    if (const UINT error = ErrorOf(reply); error != ERROR_SUCCESS) {
        return error;
    }
    if (reply.arguments().isEmpty()) {
        return ERROR_GEN_FAILURE;
    }
    answer = reply.arguments().constFirst().toString();
    return ERROR_SUCCESS;
}

UINT LogindShutdownService::ScheduleShutdown(ShutdownAction action, const QString& message, int delaySeconds)
{
    // logind writes the message only to terminals, and changing it needs an administrator:
    // not worth a password prompt of its own, so a refusal leaves logind's own text in place.
    Call(QStringLiteral("SetWallMessage"), {message, true}, false);

    const quint64 due = RealtimeUsec() + static_cast<quint64>(delaySeconds) * 1000000u;
    const QDBusMessage reply =
        Call(QStringLiteral("ScheduleShutdown"), {TypeOf(action), QVariant::fromValue(due)}, true);
    return ErrorOf(reply);
}

UINT LogindShutdownService::CancelScheduledShutdown(bool& wasPending)
{
    const QDBusMessage reply = Call(QStringLiteral("CancelScheduledShutdown"), {}, true);
    if (const UINT error = ErrorOf(reply); error != ERROR_SUCCESS) {
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

} // namespace platform
