#include "tests/system/MockCalls.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusVariant>

namespace {
const QString kMockInterface = QStringLiteral("org.freedesktop.DBus.Mock");
}

MockCalls::MockCalls(QDBusConnection bus, QString service, QString path)
    : m_bus(std::move(bus)), m_service(std::move(service)), m_path(std::move(path))
{}

QDBusMessage MockCalls::Call(const QString& interface, const QString& method,
                             const QVariantList& arguments) const
{
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, m_path, interface, method);
    message.setArguments(arguments);
    return m_bus.call(message, QDBus::Block, 5000);
}

bool MockCalls::IsMock() const
{
    return Call(kMockInterface, QStringLiteral("GetCalls"), {}).type() == QDBusMessage::ReplyMessage;
}

std::vector<QVariantList> MockCalls::Of(const QString& method) const
{
    std::vector<QVariantList> calls;
    const QDBusMessage reply = Call(kMockInterface, QStringLiteral("GetMethodCalls"), {method});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return calls;
    }
    // a(tav): a timestamp and the arguments of each call.
    const auto log = reply.arguments().constFirst().value<QDBusArgument>();
    log.beginArray();
    while (!log.atEnd()) {
        quint64 timestamp = 0;
        QVariantList arguments;
        log.beginStructure();
        log >> timestamp >> arguments;
        log.endStructure();
        calls.push_back(arguments);
    }
    log.endArray();
    return calls;
}

void MockCalls::Clear() const
{
    Call(kMockInterface, QStringLiteral("ClearCalls"), {});
}

QVariant MockCalls::Property(const QString& interface, const QString& name) const
{
    const QDBusMessage reply =
        Call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"), {interface, name});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {};
    }
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

bool MockCalls::Invoke(const QString& interface, const QString& method, const QVariantList& arguments) const
{
    return Call(interface, method, arguments).type() == QDBusMessage::ReplyMessage;
}

namespace logindmock {

MockCalls Logind()
{
    return {QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.login1"),
            QStringLiteral("/org/freedesktop/login1")};
}

bool Control(const QString& method, const QVariantList& arguments)
{
    return Logind().Invoke(QStringLiteral("org.example.Quillon.LogindMock"), method, arguments);
}

platform::PendingShutdown Held()
{
    const auto argument =
        Logind()
            .Property(QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("ScheduledShutdown"))
            .value<QDBusArgument>();
    platform::PendingShutdown held;
    argument.beginStructure();
    argument >> held.type >> held.usec;
    argument.endStructure();
    return held;
}

} // namespace logindmock
