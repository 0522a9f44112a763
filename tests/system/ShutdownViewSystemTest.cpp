// The clock window's shutdown and Escape on the real logind path, against the logind mock on
// the private system bus that run_shutdown_tests.sh starts with the rights each test names.
#include "platform/framework/Clock.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Shutdown.h"
#include "res/Resource.h"
#include "tests/system/MockCalls.h"
#include "view/QuillonView.h"
#include "view/ShutdownNotice.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTest>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {
constexpr std::int64_t kDue = 1796722215; // the tests run with TZ=UTC

MockCalls Logind()
{
    return {QDBusConnection::systemBus(), QStringLiteral("org.freedesktop.login1"),
            QStringLiteral("/org/freedesktop/login1")};
}

// What logind holds, read through the program's own query.
QString PendingType()
{
    platform::PendingShutdown pending;
    return IsSystemShutdownPending(&pending) ? pending.type : QString();
}
} // namespace

class ShutdownViewSystemTest : public QObject
{
    Q_OBJECT

    std::vector<CString> m_messages;
    std::int64_t m_now = kDue - 1;

    // Arms a date-and-time schedule for kDue and ticks into its second.
    void FireSchedule(CQuillonView& view, bool restart)
    {
        g_shutdownArmed = true;
        g_shutdownAtDateTime = true;
        view.m_shutdownDlg.m_date = CTime(kDue);
        view.m_shutdownDlg.m_time = CTime(kDue);
        view.m_shutdownDlg.m_restart = restart;
        m_now = kDue - 1;
        view.OnTimer(ID_TIMER_CLOCK);
        QVERIFY(Logind().Of(QStringLiteral("ScheduleShutdown")).empty());
        m_now = kDue;
        view.OnTimer(ID_TIMER_CLOCK);
    }
    bool NoticeShown(const CQuillonView& view) const
    {
        return view.m_shutdownNotice && view.m_shutdownNotice->isVisible();
    }

    // The request is made, no message is shown, the notice counts down, and Escape cancels it
    // silently; a second Escape finds nothing to cancel.
    void ExpectRequestAndEscape(bool restart, const QString& type)
    {
        CQuillonView view;
        FireSchedule(view, restart);
        QCOMPARE(m_messages, std::vector<CString>{});
        const auto requests = Logind().Of(QStringLiteral("ScheduleShutdown"));
        QCOMPARE(requests.size(), std::size_t(1));
        QCOMPARE(requests[0][0].toString(), type);
        QCOMPARE(PendingType(), type);
        QVERIFY(NoticeShown(view));

        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(m_messages, std::vector<CString>{});
        QCOMPARE(Logind().Of(QStringLiteral("CancelScheduledShutdown")).size(), std::size_t(1));
        QCOMPARE(PendingType(), QString());
        QVERIFY(!NoticeShown(view));

        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(m_messages, std::vector<CString>{"AbortSystemShutdown failed."});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(Logind().IsMock(), "the logind on this bus is not the mock");
        platform::SetWallClockForTesting([this] { return m_now; });
        platform::SetMessageBoxHandlerForTesting([this](const CString& text, UINT) {
            m_messages.push_back(text);
            return int(IDOK);
        });
    }
    void init()
    {
        unsetenv("QUILLON_SHUTDOWN_DRY_RUN");
        m_messages.clear();
        g_shutdownArmed = false;
        Logind().Clear();
    }
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void allowedShutDownAndEscape() { ExpectRequestAndEscape(false, QStringLiteral("poweroff")); }
    void allowedDryRestartAndEscape()
    {
        setenv("QUILLON_SHUTDOWN_DRY_RUN", "1", 1);
        ExpectRequestAndEscape(true, QStringLiteral("dry-reboot"));
    }
    void challengedRestartAndEscape() { ExpectRequestAndEscape(true, QStringLiteral("reboot")); }

    void refusedShowsEveryStepsMessageInOrder()
    {
        CQuillonView view;
        FireSchedule(view, false);
        QCOMPARE(m_messages, (std::vector<CString>{"AdjustTokenPrivileges enable failed.",
                                                   "InitiateSystemShutdown failed.",
                                                   "AdjustTokenPrivileges disable failed."}));
        QCOMPARE(PendingType(), QString());
        QVERIFY(!NoticeShown(view));

        m_messages.clear();
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(m_messages,
                 (std::vector<CString>{"AdjustTokenPrivileges enable failed.", "AbortSystemShutdown failed.",
                                       "AdjustTokenPrivileges disable failed."}));
    }
};

int main(int argc, char** argv)
{
    // Only the private bus the driver script made; never the machine's own.
    const QByteArray address = qgetenv("DBUS_SYSTEM_BUS_ADDRESS");
    if (address.isEmpty() || address != qgetenv("QUILLON_TEST_PRIVATE_SYSTEM_BUS") ||
        address.contains("/run/dbus/system_bus_socket")) {
        std::fputs("refusing to run: DBUS_SYSTEM_BUS_ADDRESS must name the private test bus "
                   "(run through run_shutdown_tests.sh)\n",
                   stderr);
        return 2;
    }
    QApplication app(argc, argv);
    ShutdownViewSystemTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ShutdownViewSystemTest.moc"
