// SendDesktopNotification on a private session bus that run_notification_tests.sh sets up,
// with and without python3-dbusmock's notification daemon.

#include "platform/system/DesktopNotification.h"
#include "tests/system/MockCalls.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QThread>

#include <gtest/gtest.h>

#include <iostream>

namespace {

MockCalls Daemon()
{
    return {QDBusConnection::sessionBus(), QStringLiteral("org.freedesktop.Notifications"),
            QStringLiteral("/org/freedesktop/Notifications")};
}

// The notification is sent without waiting, so the daemon gets it a little later.
std::vector<QVariantList> WaitForNotifyCalls(std::size_t count)
{
    std::vector<QVariantList> calls;
    for (int attempt = 0; attempt < 100; ++attempt) {
        calls = Daemon().Of(QStringLiteral("Notify"));
        if (calls.size() >= count) {
            break;
        }
        QThread::msleep(50);
    }
    return calls;
}

TEST(NoNotificationService, NothingIsSent)
{
    EXPECT_FALSE(SendDesktopNotification("Birthdays", "Ann: today"));
}

TEST(NotificationService, NotifyCarriesSummaryAndBody)
{
    ASSERT_TRUE(Daemon().IsMock());
    Daemon().Clear();
    ASSERT_TRUE(SendDesktopNotification("Birthdays", "Ann Lee: today\nBo: tomorrow"));
    ASSERT_TRUE(SendDesktopNotification("Zoë", "ü"));

    const auto calls = WaitForNotifyCalls(2);
    ASSERT_EQ(calls.size(), 2u);
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    ASSERT_EQ(calls[0].size(), 8);
    EXPECT_EQ(calls[0][0].toString(), QStringLiteral("notification_system_test"));
    EXPECT_EQ(calls[0][1].toUInt(), 0u);
    EXPECT_EQ(calls[0][3].toString(), QStringLiteral("Birthdays"));
    EXPECT_EQ(calls[0][4].toString(), QStringLiteral("Ann Lee: today\nBo: tomorrow"));
    EXPECT_EQ(calls[0][7].toInt(), -1);
    EXPECT_EQ(calls[1][3].toString(), QString::fromUtf8("Zoë"));
    EXPECT_EQ(calls[1][4].toString(), QString::fromUtf8("ü"));
}

} // namespace

int main(int argc, char** argv)
{
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (address.isEmpty() || address != qEnvironmentVariable("QUILLON_TEST_PRIVATE_SESSION_BUS")) {
        std::cerr << "refusing to run: DBUS_SESSION_BUS_ADDRESS must name the private test bus "
                     "(run through run_notification_tests.sh)\n";
        return 2;
    }
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
