// SendDesktopNotification on a private session bus that run_notification_tests.sh sets up:
// with no notification server at all, with one the bus starts on demand (python3-dbusmock's
// notification daemon, which reads markup in bodies), and with one that takes plain text.

#include "platform/system/DesktopNotification.h"
#include "tests/system/MockCalls.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <iostream>

namespace {

const QString kName = QStringLiteral("org.freedesktop.Notifications");
// Two names a desktop must show as text, not as markup.
const char* const kTrickyBody = "Tom &: today\n<i>Jerry</i>: tomorrow";

MockCalls Daemon()
{
    return {QDBusConnection::sessionBus(), kName, QStringLiteral("/org/freedesktop/Notifications")};
}

bool ServerRuns()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(kName).value();
}

// Runs the event loop for a while: the notification leaves only once the server has said what
// it can do.
void RunEventsFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

std::vector<QVariantList> WaitForNotifyCalls(std::size_t count)
{
    std::vector<QVariantList> calls;
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (ServerRuns()) {
            calls = Daemon().Of(QStringLiteral("Notify"));
            if (calls.size() >= count)
                break;
        }
        RunEventsFor(50);
    }
    return calls;
}

QVariantMap Hints(const QVariantList& notify)
{
    return qdbus_cast<QVariantMap>(notify.at(6));
}

TEST(NoNotificationServer, NothingWaitsAndNothingBreaks)
{
    ASSERT_FALSE(ServerRuns());
    QElapsedTimer took;
    took.start();
    EXPECT_TRUE(SendDesktopNotification("Birthdays", "Ann: today"));
    EXPECT_LT(took.elapsed(), 1000);
    // The bus answers that there is none to start; the answer is taken quietly.
    RunEventsFor(300);
    EXPECT_FALSE(ServerRuns());
}

TEST(ServerStartedOnDemand, TheBusStartsItAndTheBodyArrivesEscaped)
{
    ASSERT_FALSE(ServerRuns()); // installed, not running
    int ticks = 0;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, &clock, [&ticks] { ++ticks; });
    clock.start(20);
    QElapsedTimer took;
    took.start();
    ASSERT_TRUE(SendDesktopNotification("Birthdays", kTrickyBody));
    EXPECT_LT(took.elapsed(), 1000); // a server starting takes longer than that: nobody waits
    const auto calls = WaitForNotifyCalls(1);
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_GT(ticks, 0); // the event loop ran while the server started
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout
    ASSERT_EQ(calls[0].size(), 8);
    EXPECT_EQ(calls[0][0].toString(), QStringLiteral("notification_system_test"));
    EXPECT_EQ(calls[0][1].toUInt(), 0U);
    EXPECT_EQ(calls[0][2].toString(), QStringLiteral("quillon"));
    EXPECT_EQ(calls[0][3].toString(), QStringLiteral("Birthdays"));
    EXPECT_EQ(calls[0][4].toString(), QStringLiteral("Tom &amp;: today\n&lt;i&gt;Jerry&lt;/i&gt;: tomorrow"));
    EXPECT_EQ(Hints(calls[0]).value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("org.example.Quillon"));
    EXPECT_EQ(calls[0][7].toInt(), -1);
}

TEST(PlainTextServer, TheBodyArrivesAsItIs)
{
    ASSERT_TRUE(Daemon().IsMock());
    Daemon().Clear();
    ASSERT_TRUE(SendDesktopNotification("Birthdays", kTrickyBody));
    ASSERT_TRUE(SendDesktopNotification("Zoë", "ü"));
    const auto calls = WaitForNotifyCalls(2);
    ASSERT_EQ(calls.size(), 2U);
    EXPECT_EQ(calls[0][4].toString(), QString::fromUtf8(kTrickyBody));
    EXPECT_EQ(calls[0][2].toString(), QStringLiteral("quillon"));
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
    // As the program names itself at start-up.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillon"));
    SetDesktopNotificationIcon("quillon");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
