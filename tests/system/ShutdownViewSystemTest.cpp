// The clock window's shutdown, its notice and Escape on the real logind path, against the
// logind mock on the private system bus that run_shutdown_tests.sh starts with the rights each
// test names. Schedules fire from the view's own one-second timer; keys and clicks go in
// through the windows, where a modal dialog blocks them as it blocks the user.
#include "platform/framework/Clock.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/LogindShutdownService.h"
#include "platform/system/Shutdown.h"
#include "res/Resource.h"
#include "tests/support/ScopedHook.h"
#include "tests/system/MockCalls.h"
#include "view/QuillonView.h"
#include "view/ShutdownNotice.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <vector>

namespace {
constexpr std::int64_t kBase = 1796722200; // 2026-12-08 09:30:00; the tests run with TZ=UTC
using logindmock::Control;
using logindmock::Held;
using logindmock::Logind;

qint64 NowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Seconds logind still gives its pending shutdown.
double LogindLeft()
{
    return static_cast<double>(static_cast<qint64>(Held().usec) - NowUsec()) / 1e6;
}

// A click or key through the widget's window, as the window system delivers it.
void Click(QWidget* widget, Qt::MouseButton button = Qt::LeftButton, QPoint at = {})
{
    const QPoint pos = at.isNull() ? widget->rect().center() : at;
    QTest::mouseClick(widget->window()->windowHandle(), button, {}, widget->mapTo(widget->window(), pos));
}
void Key(QWidget* widget, Qt::Key key)
{
    QTest::keyClick(widget->window()->windowHandle(), key);
}

// Ends whatever modal loop or menu is open, so that a failed step cannot hang the run.
void EndModalLoops()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    while (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
        dialog->done(-2);
}

// Runs action from the event loop once condition holds, so it also runs inside the modal
// loops a click opens; gives up after timeoutMs, says so in failed and ends the modal loops.
void When(const std::function<bool()>& condition, const std::function<void()>& action, bool& failed,
          int timeoutMs = 20000)
{
    auto* timer = new QTimer;
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, timer, [=, &failed] {
        const bool ready = condition();
        if (!ready && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
        if (ready) {
            action();
        } else {
            failed = true;
            EndModalLoops();
        }
    });
    timer->start(20);
}

CShutdownNotice* ShownNotice(const CQuillonView& view)
{
    return view.m_shutdownNotice && view.m_shutdownNotice->isVisible() ? view.m_shutdownNotice : nullptr;
}

// The seconds the notice shows on screen.
int ShownSeconds(const CShutdownNotice& notice)
{
    for (const QLabel* label : notice.findChildren<QLabel*>()) {
        const QString text = label->text();
        if (text.startsWith(QLatin1String("Shutting down in")) ||
            text.startsWith(QLatin1String("Restarting in")))
            return text.section(QLatin1Char(' '), -2, -2).toInt();
    }
    return -1;
}
} // namespace

class ShutdownViewSystemTest : public QObject
{
    Q_OBJECT

    std::vector<CString> m_messages;
    int m_abortBoxMs = 0; // how long the user takes to answer "AbortSystemShutdown failed."
    // The wall clock runs with the real one from kBase, shifted so that the view's one-second
    // ticks fall in the middle of its seconds: each tick sees the next second.
    QElapsedTimer m_sinceTimersStarted;
    testsupport::ScopedWallClock m_clock{[this] { return WallClock(); }};
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT) {
        m_messages.push_back(text);
        // A modal message box: the program's timers go on while the user reads it.
        if (text == CString("AbortSystemShutdown failed.") && m_abortBoxMs > 0)
            QTest::qWait(m_abortBoxMs);
        return int(IDOK);
    }};

    std::int64_t WallClock() const
    {
        return kBase + (m_sinceTimersStarted.isValid() ? (m_sinceTimersStarted.elapsed() + 500) / 1000 : 0);
    }

    void StartClock(CQuillonView& view)
    {
        view.resize(100, 180);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        m_sinceTimersStarted.start();
        view.OnInitialUpdate(); // the timers start as the program starts them
    }

    // Commits a date-and-time schedule the way the scheduler's OK does, secondsAhead of the
    // clock; the view's own tick fires it.
    void ArmAhead(CQuillonView& view, int secondsAhead, bool restart)
    {
        const CTime at(WallClock() + secondsAhead);
        view.m_shutdownDlg.m_date = at;
        view.m_shutdownDlg.m_time = at;
        view.m_shutdownDlg.m_restart = restart;
        g_shutdownAtDateTime = true;
        g_shutdownArmed = true;
    }

    // Compares the notice with logind for a while: logind's time left must lie within the
    // whole second the notice shows. Prints the spread seen.
    void ExpectCountdownIsLogindsOwn(const CQuillonView& view, const char* when, int samples = 8)
    {
        double least = 1e9;
        double most = -1e9;
        for (int i = 0; i < samples; ++i) {
            const CShutdownNotice* notice = ShownNotice(view);
            QVERIFY2(notice, when);
            const int shown = ShownSeconds(*notice);
            const double left = LogindLeft();
            least = std::min(least, shown - left);
            most = std::max(most, shown - left);
            QVERIFY2(left <= shown + 0.1 && left > shown - 1 - 0.1,
                     qPrintable(QStringLiteral("%1: notice %2 s, logind %3 s")
                                    .arg(QLatin1String(when))
                                    .arg(shown)
                                    .arg(left)));
            QTest::qWait(230);
        }
        std::printf("measured (%s): notice minus logind's time left between %.3f and %.3f s\n", when, least,
                    most);
    }

    // The request is made, no message is shown, the notice counts down with logind, and
    // Escape in the clock window cancels it silently; a second Escape finds nothing to cancel.
    void ExpectRequestAndEscape(bool restart, const QString& type)
    {
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, restart);
        QTRY_VERIFY_WITH_TIMEOUT(ShownNotice(view), 8000);
        QCOMPARE(m_messages, std::vector<CString>{});
        const auto requests = Logind().Of(QStringLiteral("ScheduleShutdown"));
        QVERIFY(!requests.empty());
        QCOMPARE(requests.back()[0].toString(), type);
        QCOMPARE(Held().type, restart ? QStringLiteral("reboot") : QStringLiteral("poweroff"));
        ExpectCountdownIsLogindsOwn(view, "no password", 3);

        Key(&view, Qt::Key_Escape);
        QCOMPARE(m_messages, std::vector<CString>{});
        QCOMPARE(Logind().Of(QStringLiteral("CancelScheduledShutdown")).size(), std::size_t(1));
        QCOMPARE(Held().type, QString());
        QVERIFY(!ShownNotice(view));

        Key(&view, Qt::Key_Escape);
        QCOMPARE(m_messages, std::vector<CString>{"AbortSystemShutdown failed."});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(Logind().IsMock(), "the logind on this bus is not the mock");
        res::RegisterResources();
    }
    void init()
    {
        unsetenv("QUILLON_SHUTDOWN_DRY_RUN");
        m_messages.clear();
        m_abortBoxMs = 0;
        m_sinceTimersStarted.invalidate();
        g_shutdownArmed = false;
        QVERIFY(Control(QStringLiteral("Reset")));
        platform::SetShutdownServiceForTesting(nullptr);
        Logind().Clear();
    }
    void cleanup()
    {
        g_shutdownArmed = false;
        platform::SetShutdownServiceForTesting(nullptr);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void allowedShutDownAndEscape() { ExpectRequestAndEscape(false, QStringLiteral("poweroff")); }
    void allowedDryRestartAndEscape()
    {
        setenv("QUILLON_SHUTDOWN_DRY_RUN", "yes", 1);
        ExpectRequestAndEscape(true, QStringLiteral("dry-reboot"));
    }

    // An administrator's pending poweroff: the request is refused and the notice stays away,
    // and Escape does not cancel it, in a real run and in a dry run.
    void allowedAdministratorsShutdownIsLeftAlone()
    {
        const qint64 adminDue = NowUsec() + 600 * 1000000LL;
        QVERIFY(Control(QStringLiteral("ScheduleAsAdministrator"),
                        {QStringLiteral("poweroff"), QVariant::fromValue(quint64(adminDue))}));
        for (const char* dryRun : {"", "1"}) {
            setenv("QUILLON_SHUTDOWN_DRY_RUN", dryRun, 1);
            m_messages.clear();
            CQuillonView view;
            StartClock(view);
            ArmAhead(view, 2, false);
            QTRY_VERIFY_WITH_TIMEOUT(!m_messages.empty(), 8000);
            QCOMPARE(m_messages, std::vector<CString>{"InitiateSystemShutdown failed."});
            QVERIFY(!ShownNotice(view));
            g_shutdownArmed = false;
            Key(&view, Qt::Key_Escape);
            QCOMPARE(m_messages,
                     (std::vector<CString>{"InitiateSystemShutdown failed.", "AbortSystemShutdown failed."}));
        }
        QCOMPARE(Held().type, QStringLiteral("poweroff"));
        QCOMPARE(qint64(Held().usec), adminDue);
        for (const char* method : {"ScheduleShutdown", "SetWallMessage", "CancelScheduledShutdown"})
            QVERIFY2(Logind().Of(QString::fromLatin1(method)).empty(), method);
    }

    // The scheduler is open, in its own modal loop, when the schedule fires: the notice comes
    // up above it and its Cancel takes a real click; the scheduler stays open meanwhile.
    void allowedCancelOnTheNoticeWhileTheSchedulerIsOpen()
    {
        CQuillonView view;
        StartClock(view);
        bool failed = false;
        QWidget* dialog = nullptr;
        const auto dialogShown = [&] {
            dialog = view.m_shutdownDlg.GetSafeHwnd();
            return dialog && dialog->isVisible();
        };
        const auto pickFromMenu = [&] {
            When([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
                 [&] {
                     // The right button goes up over the clock, as a user's does, before the pick.
                     QTest::mouseRelease(view.windowHandle(), Qt::RightButton, {}, {50, 50});
                     auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                     for (QAction* action : menu->actions()) {
                         if (action->text() == QLatin1String("Restart and Shut Down..."))
                             Click(menu, Qt::LeftButton, menu->actionGeometry(action).center());
                     }
                 },
                 failed);
        };

        // First opening: a delay of 2 s, committed with OK.
        pickFromMenu();
        When(
            dialogShown,
            [&] {
                QWidget* seconds = view.m_shutdownDlg.GetDlgItem(1006)->GetSafeHwnd();
                seconds->setFocus(Qt::TabFocusReason);
                Key(seconds, Qt::Key_Right);
                Key(seconds, Qt::Key_Right);
                QCOMPARE(qobject_cast<QSlider*>(seconds)->value(), 2);
                Click(view.m_shutdownDlg.GetDlgItem(IDOK)->GetSafeHwnd());
            },
            failed);
        QTest::mousePress(view.windowHandle(), Qt::RightButton, {}, {50, 50}); // the menu opens on the press
        QVERIFY(!failed);
        QVERIFY(g_shutdownArmed);
        QVERIFY(!g_shutdownAtDateTime);
        QCOMPARE(view.m_shutdownDlg.m_delaySeconds, 2);

        // Second opening, left open until the notice has been dealt with.
        bool noticeSeenAboveDialog = false;
        pickFromMenu();
        When([&] { return dialogShown() && ShownNotice(view); },
             [&] {
                 CShutdownNotice* notice = ShownNotice(view);
                 noticeSeenAboveDialog = dialog->isVisible() && QApplication::activeModalWidget() == notice;
                 ExpectCountdownIsLogindsOwn(view, "above the scheduler", 2);
                 Click(notice->findChild<QPushButton*>());
                 When([&] { return !ShownNotice(view); },
                      [&] {
                          QVERIFY(dialog->isVisible());
                          Click(view.m_shutdownDlg.GetDlgItem(IDCANCEL)->GetSafeHwnd());
                      },
                      failed, 5000);
             },
             failed);
        QTest::mousePress(view.windowHandle(), Qt::RightButton, {}, {50, 50}); // the menu opens on the press
        QVERIFY(!failed);
        QVERIFY(noticeSeenAboveDialog);
        QCOMPARE(m_messages, std::vector<CString>{});
        QCOMPARE(Held().type, QString());
        QCOMPARE(Logind().Of(QStringLiteral("CancelScheduledShutdown")).size(), std::size_t(1));
        g_shutdownArmed = false;
    }

    // The close box cancels like Cancel: no shutdown is left coming with nothing on screen.
    void allowedCloseBoxCancels()
    {
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, false);
        QTRY_VERIFY_WITH_TIMEOUT(ShownNotice(view), 8000);
        QCloseEvent close;
        QApplication::sendEvent(view.m_shutdownNotice->windowHandle(),
                                &close); // as the window manager sends it
        QVERIFY(!ShownNotice(view));
        QCOMPARE(Held().type, QString());
        QCOMPARE(m_messages, std::vector<CString>{});
    }

    void challengedRestartAndEscape() { ExpectRequestAndEscape(true, QStringLiteral("reboot")); }

    // The user takes 6 s to type the password: the notice starts at 10 s once logind agreed,
    // and counts with logind's own due time.
    void challengedSixSecondPromptCountsFromTheAgreement()
    {
        QVERIFY(Control(QStringLiteral("SetPrompt"), {6.0, true}));
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, false);
        // The request waits for the password inside the tick; this looks from within that wait.
        qint64 asked = 0;
        bool failed = false;
        When([] { return !Logind().Of(QStringLiteral("ScheduleShutdown")).empty(); },
             [&] { asked = NowUsec(); }, failed, 8000);
        QTRY_VERIFY_WITH_TIMEOUT(ShownNotice(view), 14000);
        QVERIFY(!failed);
        const qint64 seen = NowUsec();
        const double left = LogindLeft();
        std::printf(
            "measured (6 s prompt): notice up %.3f s after the request, showing %d s, logind %.3f s left\n",
            static_cast<double>(seen - asked) / 1e6, ShownSeconds(*ShownNotice(view)), left);
        QVERIFY(seen - asked >= 5500000);
        QVERIFY(left > 9.4);
        QCOMPARE(ShownSeconds(*ShownNotice(view)), 10);
        ExpectCountdownIsLogindsOwn(view, "after a 6 s prompt");
        QCOMPARE(m_messages, std::vector<CString>{});
        Key(&view, Qt::Key_Escape); // the password is kept: no second prompt
        QCOMPARE(Held().type, QString());
        QVERIFY(!ShownNotice(view));
    }

    // The cancel's password prompt is dismissed after 2 s and the message box stays up 4 s: the
    // notice stays, shows logind's time left throughout, and goes at logind's due time.
    void challengedRefusedCancelShowsLogindsTime()
    {
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, true);
        QTRY_VERIFY_WITH_TIMEOUT(ShownNotice(view), 8000);
        const quint64 due = Held().usec;
        QVERIFY(Control(QStringLiteral("SetKeepAuthorization"), {false}));
        QVERIFY(Control(QStringLiteral("SetPrompt"), {2.0, false}));
        m_abortBoxMs = 4000;
        CShutdownNotice* notice = view.m_shutdownNotice; // shown, as seen above
        Click(notice->findChild<QPushButton*>());
        QCOMPARE(m_messages, std::vector<CString>{"AbortSystemShutdown failed."});
        QCOMPARE(Held().usec, due);
        QVERIFY(notice->isVisible());
        const double left = LogindLeft();
        std::printf("measured (refused cancel): notice shows %d s, logind %.3f s left\n",
                    ShownSeconds(*notice), left);
        ExpectCountdownIsLogindsOwn(view, "after a refused cancel", 4);
        QTRY_VERIFY_WITH_TIMEOUT(!ShownNotice(view), 6000);
        const double lateBy = static_cast<double>(NowUsec() - static_cast<qint64>(due)) / 1e6;
        std::printf("measured (refused cancel): notice gone %.3f s after logind's due time\n", lateBy);
        QVERIFY(std::abs(lateBy) < 1.0);
        g_shutdownArmed = false;
    }

    // The request's answer does not come within the call's time: "InitiateSystemShutdown
    // failed." is said while nothing is pending, and when logind still agrees the notice comes
    // up with the whole 10 s.
    void challengedLateGrantBringsTheNotice()
    {
        platform::LogindShutdownService shortWait(2000);
        const testsupport::ScopedShutdownService useShortWait{&shortWait};
        QVERIFY(Control(QStringLiteral("SetPrompt"), {4.0, true}));
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, false);
        QTRY_VERIFY_WITH_TIMEOUT(!m_messages.empty(), 10000);
        QCOMPARE(m_messages, std::vector<CString>{"InitiateSystemShutdown failed."});
        QCOMPARE(Held().type, QString());
        QVERIFY(!ShownNotice(view));
        QTRY_VERIFY_WITH_TIMEOUT(ShownNotice(view), 6000);
        const double left = LogindLeft();
        std::printf("measured (late grant): notice shows %d s, logind %.3f s left\n",
                    ShownSeconds(*ShownNotice(view)), left);
        QVERIFY(left > 9.0);
        ExpectCountdownIsLogindsOwn(view, "after a late grant", 3);
        Key(&view, Qt::Key_Escape);
        QCOMPARE(Held().type, QString());
        QCOMPARE(m_messages, std::vector<CString>{"InitiateSystemShutdown failed."});
        g_shutdownArmed = false;
    }

    void refusedShowsEveryStepsMessageInOrder()
    {
        CQuillonView view;
        StartClock(view);
        ArmAhead(view, 2, false);
        QTRY_VERIFY_WITH_TIMEOUT(m_messages.size() == 3, 8000);
        g_shutdownArmed = false;
        QCOMPARE(m_messages, (std::vector<CString>{"AdjustTokenPrivileges enable failed.",
                                                   "InitiateSystemShutdown failed.",
                                                   "AdjustTokenPrivileges disable failed."}));
        QCOMPARE(Held().type, QString());
        QVERIFY(!ShownNotice(view));

        m_messages.clear();
        Key(&view, Qt::Key_Escape);
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
