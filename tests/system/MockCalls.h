#pragma once

#include "platform/system/ShutdownService.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantList>

#include <vector>

// Talks to a python3-dbusmock object through its org.freedesktop.DBus.Mock interface.
class MockCalls
{
public:
    MockCalls(QDBusConnection bus, QString service, QString path);

    // Whether the peer is a mock at all: a real service has no mock interface.
    bool IsMock() const;
    // The arguments of every logged call of method, oldest first.
    std::vector<QVariantList> Of(const QString& method) const;
    void Clear() const;
    // A property of the mocked interface.
    QVariant Property(const QString& interface, const QString& name) const;
    // A method of the mock's own or the mocked interface; false when it failed.
    bool Invoke(const QString& interface, const QString& method, const QVariantList& arguments = {}) const;

private:
    QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments) const;

    QDBusConnection m_bus;
    QString m_service;
    QString m_path;
};

// The logind mock on the private system bus that run_shutdown_tests.sh starts.
namespace logindmock {
MockCalls Logind();
// The mock's own controls: polkit's prompt, an administrator's shutdown.
bool Control(const QString& method, const QVariantList& arguments = {});
// What logind holds, read from the mock directly.
platform::PendingShutdown Held();
} // namespace logindmock
