// The scheduled-shutdown check and the shutdown request, driven by a fake clock against the
// recording shutdown manager.
#include "platform/framework/Clock.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Shutdown.h"
#include "res/Resource.h"
#include "tests/support/ScopedHook.h"
#include "tests/support/ViewHarness.h"
#include "view/QuillonView.h"
#include "view/ShutdownNotice.h"
#include <optional>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include <limits>
#include <vector>

namespace {
using Method = platform::FakeShutdownService::Method;
using testsupport::TickAt;

constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kMidnight = 1796688000; // 2026-12-08 00:00:00 UTC; the tests run with TZ=UTC
constexpr std::int64_t kDay = 86400;
const QString kMessage =
    QStringLiteral("Click on the main window and press the Escape key to cancel shutdown.");
} // namespace

class ShutdownCheckTest : public QObject
{
    Q_OBJECT

    std::int64_t m_now = kMidnight;
    std::vector<CString> m_messages;
    std::optional<testsupport::InstalledShutdownFake> m_shutdown;
    platform::FakeShutdownService* m_fake = nullptr;
    testsupport::ScopedWallClock m_clock{[this] { return m_now; }};
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT) {
        m_messages.push_back(text);
        return int(IDOK);
    }};

    std::size_t Requests() const { return m_fake->CallsOf(Method::ScheduleShutdown).size(); }
    bool NoticeShown(const CQuillonView& view) const
    {
        return view.m_shutdownNotice && view.m_shutdownNotice->isVisible();
    }

private Q_SLOTS:
    void init()
    {
        m_fake = &m_shutdown.emplace().fake;
        m_messages.clear();
        g_shutdownArmed = false;
        g_shutdownAtDateTime = false;
    }
    void cleanup()
    {
        m_shutdown.reset();
        m_fake = nullptr;
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void nothingHappensUntilArmed()
    {
        CQuillonView view;
        view.m_shutdownDlg.m_startTime = CTime(kMidnight);
        for (std::int64_t t = kMidnight; t < kMidnight + 5; ++t)
            TickAt(view, m_now, t); // a delay of 0:0:0 would match at once
        QVERIFY(m_fake->calls.empty());
    }

    void aDateAndTimeFiresInItsExactSecondOnly()
    {
        CQuillonView view;
        const std::int64_t due = kMidnight + 10 * kHour + 30 * kMinute + 5;
        g_shutdownArmed = true;
        g_shutdownAtDateTime = true;
        // The date picker keeps another time of day, the time picker another date.
        view.m_shutdownDlg.m_date = CTime(due - 7 * kHour);
        view.m_shutdownDlg.m_time = CTime(due - 40 * kDay);
        view.m_shutdownDlg.m_restart = true;

        TickAt(view, m_now, due - 1);
        TickAt(view, m_now, due + 1); // a second without a tick is never caught up
        TickAt(view, m_now, due + kDay);
        QCOMPARE(Requests(), std::size_t(0));

        TickAt(view, m_now, due);
        const auto requests = m_fake->CallsOf(Method::ScheduleShutdown);
        QCOMPARE(requests.size(), std::size_t(1));
        QVERIFY(requests[0].action == platform::ShutdownAction::Reboot);
        const double delay = static_cast<double>(requests[0].dueUsec - m_fake->NowUsec()) / 1e6;
        QVERIFY2(delay > 9.5 && delay <= 10, qPrintable(QString::number(delay)));
        const auto wall = m_fake->CallsOf(Method::SetWallMessage);
        QCOMPARE(wall.size(), std::size_t(1));
        QCOMPARE(wall[0].message, kMessage);
        QVERIFY(m_messages.empty());
        QVERIFY(NoticeShown(view));
        QVERIFY(view.m_shutdownNotice->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(view.m_shutdownNotice->CountdownText(), QStringLiteral("Restarting in 10 s"));
        QVERIFY(g_shutdownArmed); // firing does not clear the schedule
    }

    void aDelayPastMidnightNeverFires()
    {
        CQuillonView view;
        g_shutdownArmed = true;
        view.m_shutdownDlg.m_startTime = CTime(kMidnight - 60); // 23:59:00
        view.m_shutdownDlg.m_delayMinutes = 2;
        for (std::int64_t t = kMidnight - 60; t < kMidnight + 2 * kDay; t += 1)
            TickAt(view, m_now, t);
        QCOMPARE(Requests(), std::size_t(0));
    }

    void aCancelledDelayFiresAgainTheNextDay()
    {
        CQuillonView view;
        g_shutdownArmed = true;
        view.m_shutdownDlg.m_startTime = CTime(kMidnight + 10 * kHour); // 10:00:00
        view.m_shutdownDlg.m_delayHours = 1;
        view.m_shutdownDlg.m_delaySeconds = 60; // the sliders reach 60: 11:01:00
        const std::int64_t due = kMidnight + 11 * kHour + 60;

        TickAt(view, m_now, due - 1);
        QCOMPARE(Requests(), std::size_t(0));
        TickAt(view, m_now, due);
        QCOMPARE(Requests(), std::size_t(1));
        QVERIFY(m_fake->CallsOf(Method::ScheduleShutdown)[0].action == platform::ShutdownAction::PowerOff);
        QVERIFY(NoticeShown(view));

        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!m_fake->Pending());
        QVERIFY(!NoticeShown(view));
        QVERIFY(m_messages.empty());

        TickAt(view, m_now, due + 1);
        TickAt(view, m_now, due + kDay - 1);
        QCOMPARE(Requests(), std::size_t(1));
        TickAt(view, m_now, due + kDay);
        QCOMPARE(Requests(), std::size_t(2));
        // The notice's Cancel does what Escape does.
        QTest::mouseClick(view.m_shutdownNotice->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(!m_fake->Pending());
        QCOMPARE(m_fake->CallsOf(Method::CancelScheduledShutdown).size(), std::size_t(2));
        QVERIFY(m_messages.empty());
    }

    void aTargetWithoutLocalTimeNeverFiresAndTheClockGoesOn()
    {
        CQuillonView view;
        g_shutdownArmed = true;
        g_shutdownAtDateTime = true;
        view.m_shutdownDlg.m_date = CTime(std::numeric_limits<std::int64_t>::max());
        view.m_shutdownDlg.m_time = CTime(kMidnight);
        TickAt(view, m_now, kMidnight + 3661);
        QCOMPARE(view.m_hour, 1);
        QCOMPARE(view.m_second, 1);
        view.m_shutdownDlg.m_date = CTime(kMidnight);
        view.m_shutdownDlg.m_time = CTime(std::numeric_limits<std::int64_t>::min());
        TickAt(view, m_now, kMidnight);
        QCOMPARE(Requests(), std::size_t(0));
        QVERIFY(m_messages.empty());
    }

    void everyFailedStepShowsItsMessageAndTheRestStillRuns()
    {
        CQuillonView view;
        m_fake->canAnswer = QStringLiteral("no");
        view.ShutdownComputer(false);
        QCOMPARE(m_messages, (std::vector<CString>{"AdjustTokenPrivileges enable failed.",
                                                   "InitiateSystemShutdown failed.",
                                                   "AdjustTokenPrivileges disable failed."}));
        QVERIFY(!NoticeShown(view));

        // No manager to reach: the token fails, and the request is made all the same.
        m_messages.clear();
        m_fake->canAnswer = QStringLiteral("yes");
        m_fake->connectError = ERROR_SERVICE_NOT_ACTIVE;
        view.ShutdownComputer(true);
        QCOMPARE(m_messages,
                 (std::vector<CString>{"OpenProcessToken failed.", "AdjustTokenPrivileges enable failed.",
                                       "AdjustTokenPrivileges disable failed."}));
        QCOMPARE(Requests(), std::size_t(2));
        QVERIFY(NoticeShown(view));
        view.m_shutdownNotice->Stop();
    }

    void escapeCancelsAndOtherKeysDoNothing()
    {
        CQuillonView view;
        QTest::keyClick(&view, Qt::Key_A);
        QTest::keyClick(&view, Qt::Key_Return);
        QVERIFY(m_fake->calls.empty());

        QTest::keyClick(&view, Qt::Key_Escape); // nothing pending
        QCOMPARE(m_messages, std::vector<CString>{"AbortSystemShutdown failed."});

        m_messages.clear();
        view.ShutdownComputer(false);
        QVERIFY(m_fake->Pending());
        m_fake->cancelError = ERROR_ACCESS_DENIED; // the system refuses the cancel
        QTest::keyClick(&view, Qt::Key_Escape);
        QCOMPARE(m_messages, std::vector<CString>{"AbortSystemShutdown failed."});
        QVERIFY(NoticeShown(view)); // still pending, so the countdown stays
        // The notice's Cancel refused the same way: the countdown comes back.
        QTest::mouseClick(view.m_shutdownNotice->findChild<QPushButton*>(), Qt::LeftButton);
        QCOMPARE(m_messages.size(), std::size_t(2));
        QVERIFY(NoticeShown(view));
        QCOMPARE(view.m_shutdownNotice->SecondsLeft(), 10);
        m_messages.clear();
        m_fake->cancelError = ERROR_SUCCESS;
        QTest::keyClick(&view, Qt::Key_Escape);
        QVERIFY(!m_fake->Pending());
        QVERIFY(!NoticeShown(view));
        QVERIFY(m_messages.empty());
    }
};

QTEST_MAIN(ShutdownCheckTest)
#include "ShutdownCheckTest.moc"
