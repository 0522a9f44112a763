// The tick engine: what one timer message does, driven by a fake wall clock, and how the real
// timers deliver their messages.
#include "data/StopwatchRules.h"
#include "dialogs/TimerDlg.h"
#include "platform/framework/Clock.h"
#include "platform/system/Beep.h"
#include "platform/system/Shutdown.h"
#include "res/Resource.h"
#include "res/TimerTemplate.h"
#include "tests/support/ScopedHook.h"
#include "view/QuillonView.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <map>
#include <vector>

namespace {
constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kNoon = 1'700'000'000 - 1'700'000'000 % 86400 + 12 * 3600; // a UTC noon

struct Invalidation
{
    CRect rect;
    bool erase;
};

// The process's timerfds as the kernel describes them: clock id and period in seconds.
struct KernelTimer
{
    int clockId = -1;
    double intervalSeconds = 0;
};
std::vector<KernelTimer> KernelTimers()
{
    std::vector<KernelTimer> timers;
    const QDir fds(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        if (!QFile::symLinkTarget(fds.filePath(fd)).contains(QLatin1String("timerfd")))
            continue;
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromLatin1(info.readAll());
        KernelTimer timer;
        const auto clock = QRegularExpression(QStringLiteral("clockid:\\s*(\\d+)")).match(text);
        const auto interval =
            QRegularExpression(QStringLiteral("it_interval:\\s*\\((\\d+),\\s*(\\d+)\\)")).match(text);
        if (!clock.hasMatch() || !interval.hasMatch())
            continue;
        timer.clockId = clock.captured(1).toInt();
        timer.intervalSeconds = interval.captured(1).toDouble() + interval.captured(2).toDouble() / 1e9;
        timers.push_back(timer);
    }
    return timers;
}
constexpr int kClockBootTime = 7; // CLOCK_BOOTTIME
} // namespace

class TickEngineTest : public QObject
{
    Q_OBJECT

    std::int64_t m_fakeNow = kNoon;
    testsupport::ScopedWallClock m_clock{[this] { return m_fakeNow; }};

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init() { m_fakeNow = kNoon; }
    void cleanup()
    {
        QVERIFY(QApplication::topLevelWidgets().isEmpty() || !QApplication::activeModalWidget());
    }

    void initialUpdateStartsBothTimers()
    {
        CQuillonView view;
        QVERIFY(!view.IsTimerRunning(ID_TIMER_CLOCK));
        view.OnInitialUpdate();
        QCOMPARE(view.TimerPeriod(ID_TIMER_CLOCK), 1000);
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 5000);
        // Setting a running id again replaces its period.
        view.SetTimer(ID_TIMER_BIRTHDAYS, 7000);
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 7000);
        view.OnInitialUpdate();
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 5000);
    }

    void everyTickInvalidatesDialThenDigital()
    {
        CQuillonView view;
        std::vector<Invalidation> seen;
        view.SetInvalidateObserverForTesting([&](const CRect& r, bool erase) { seen.push_back({r, erase}); });
        m_fakeNow = kNoon + 3 * kHour + 59 * kMinute + 30; // 15:59:30 UTC
        view.OnTimer(ID_TIMER_CLOCK);
        QCOMPARE(view.m_hour, 15);
        QCOMPARE(view.m_minute, 59);
        QCOMPARE(view.m_second, 30);
        QCOMPARE(view.m_now.GetTime(), m_fakeNow);
        // A second tick within the same second invalidates all the same.
        view.OnTimer(ID_TIMER_CLOCK);
        QCOMPARE(seen.size(), std::size_t{4});
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].rect, i % 2 == 0 ? view.m_dialRect : view.m_digitalRect);
            QVERIFY(seen[i].erase);
        }
    }

    // A timer of an id the engine does not know runs (its messages arrive) and changes nothing.
    void unknownTimerChangesNothing()
    {
        struct CountingView : CQuillonView
        {
            void OnTimer(UINT id) override
            {
                ids.push_back(id);
                CQuillonView::OnTimer(id);
            }
            std::vector<UINT> ids;
        } view;
        int invalidations = 0;
        view.SetInvalidateObserverForTesting([&](const CRect&, bool) { ++invalidations; });
        view.SetTimer(7, 10);
        QTRY_VERIFY(view.ids.size() >= 3);
        view.KillTimer(7);
        QVERIFY(std::all_of(view.ids.begin(), view.ids.end(), [](UINT id) { return id == 7; }));
        QCOMPARE(invalidations, 0);
        QCOMPARE(view.m_hour, 0);
        QCOMPARE(view.m_minute, 0);
        QCOMPARE(view.m_second, 0);
        QVERIFY(!view.IsTimerRunning(ID_TIMER_CLOCK));
    }

    void ticksGoOnInsideAModalDialog()
    {
        CQuillonView view;
        view.show();
        int ticks = 0;
        view.SetInvalidateObserverForTesting([&](const CRect& r, bool) {
            if (r == view.m_dialRect)
                ++ticks;
        });
        view.SetTimer(ID_TIMER_CLOCK, 20); // the real id, a shorter period
        QDialog dialog(&view);
        QTimer poll;
        connect(&poll, &QTimer::timeout, &dialog, [&] {
            if (ticks >= 3)
                dialog.accept();
        });
        poll.start(10);
        QTimer::singleShot(5000, &dialog, &QDialog::reject); // never hang the suite
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(ticks >= 3);
        view.KillTimer(ID_TIMER_CLOCK);
    }

    // The stopwatch's notification box, opened inside a tick, must not stop that same timer:
    // under it the clock moves, the open Timer display advances and a shutdown that comes due
    // is requested. Real timer expiries, real slider keys and clicks, a real message box.
    void aBoxOpenedByATickLeavesTheTimerRunning()
    {
        platform::FakeShutdownService shutdown;
        const testsupport::ScopedShutdownService useShutdown{&shutdown};
        int beeps = 0;
        const testsupport::ScopedBeepHandler countBeeps{[&](UINT) { ++beeps; }};
        g_notifyHours = g_notifyMinutes = g_notifySeconds = 0;
        g_shutdownArmed = false;

        CQuillonView view;
        view.show();
        // Each tick reads the fake clock, then moves it on a second for the next tick.
        view.SetInvalidateObserverForTesting([&](const CRect& r, bool) {
            if (r == view.m_digitalRect)
                ++m_fakeNow;
        });
        CTimerDlg& dlg = view.m_timerDlg;
        QString boxText;
        int secondUnderBox = -1;
        bool secondMovedUnderBox = false;
        std::vector<QString> displayUnderBox;
        bool boxClosed = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) {
                if (!boxText.isEmpty() && !boxClosed) {
                    boxClosed = true;
                    QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
                }
                return;
            }
            boxText = box->text();
            if (secondUnderBox < 0)
                secondUnderBox = view.m_second;
            secondMovedUnderBox = secondMovedUnderBox || view.m_second != secondUnderBox;
            const QString shown = dlg.GetDlgItemText(IDC_TIMER_ELAPSED).ToQString();
            if (displayUnderBox.empty() || displayUnderBox.back() != shown)
                displayUnderBox.push_back(shown);
            if (!shutdown.CallsOf(platform::FakeShutdownService::Method::ScheduleShutdown).empty() &&
                displayUnderBox.size() >= 3)
                QTest::keyClick(box, Qt::Key_Return);
        });
        QTimer::singleShot(0, this, [&] {
            // Notify after 3 s of count, then Go; a delay shutdown is due 6 s after Go.
            auto* seconds = qobject_cast<QSlider*>(dlg.GetDlgItem(IDC_TIMER_SECONDS)->GetSafeHwnd());
            for (int i = 0; i < 3; ++i)
                QTest::keyClick(seconds, Qt::Key_Right);
            QTest::mouseClick(qobject_cast<QPushButton*>(dlg.GetDlgItem(IDC_TIMER_GO)->GetSafeHwnd()),
                              Qt::LeftButton);
            view.m_shutdownDlg.m_startTime = CTime(m_fakeNow);
            view.m_shutdownDlg.m_delayHours = view.m_shutdownDlg.m_delayMinutes = 0;
            view.m_shutdownDlg.m_delaySeconds = 6;
            g_shutdownAtDateTime = false;
            g_shutdownArmed = true;
            view.SetTimer(ID_TIMER_CLOCK, 40);
            watch.start(5);
        });
        QTimer::singleShot(10000, &view, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->accept();
            dlg.OnCancel(); // never hang the suite
        });
        view.OnCmdMsg(ID_CLOCK_TIMER);
        view.KillTimer(ID_TIMER_CLOCK);
        watch.stop();
        g_shutdownArmed = false;

        QCOMPARE(boxText, QStringLiteral("0:00:03"));
        QCOMPARE(beeps, 1);
        QVERIFY(secondMovedUnderBox);
        QVERIFY2(displayUnderBox.size() >= 3, "the open Timer display stood still under the box");
        for (std::size_t i = 1; i < displayUnderBox.size(); ++i)
            QVERIFY(displayUnderBox[i] > displayUnderBox[i - 1]);
        QCOMPARE(shutdown.CallsOf(platform::FakeShutdownService::Method::ScheduleShutdown).size(),
                 std::size_t{1});
        g_notifySeconds = 0;
    }

    // With the Timer dialog closed, a notification time reached by the time of day (no count
    // started) rings ten times and shows the time in a box; the clock goes on under it.
    void theBackgroundNoticeRingsTenTimes()
    {
        int beeps = 0;
        const testsupport::ScopedBeepHandler countBeeps{[&](UINT) { ++beeps; }};
        g_notifyHours = 12; // the fake clock starts at noon: the notice is due at 12:00:02
        g_notifyMinutes = 0;
        g_notifySeconds = 2;
        CQuillonView view;
        view.show();
        view.SetInvalidateObserverForTesting([&](const CRect& r, bool) {
            if (r == view.m_digitalRect)
                ++m_fakeNow;
        });
        QString boxText;
        int secondUnderBox = -1;
        bool movedUnderBox = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            boxText = box->text();
            if (secondUnderBox < 0)
                secondUnderBox = view.m_second;
            movedUnderBox = movedUnderBox || view.m_second > secondUnderBox + 1;
            if (movedUnderBox)
                QTest::keyClick(box, Qt::Key_Return);
        });
        watch.start(5);
        view.SetTimer(ID_TIMER_CLOCK, 40);
        QTRY_VERIFY_WITH_TIMEOUT(movedUnderBox && !QApplication::activeModalWidget(), 10000);
        QTRY_COMPARE(beeps, 10);
        view.KillTimer(ID_TIMER_CLOCK);
        g_notifyHours = g_notifySeconds = 0;
        QCOMPARE(boxText, QStringLiteral("12:00:02"));
    }

    // The periods are the kernel's boot-time clock: they go on counting while the computer
    // sleeps (a reminder due during the night comes at wake-up) and a wall-clock change moves
    // none of them. Re-arming replaces the period; a killed timer is gone.
    void timersCountOnTheBootClock()
    {
        const std::size_t before = KernelTimers().size();
        {
            CQuillonView view;
            view.OnInitialUpdate();
            view.SetTimer(ID_TIMER_BIRTHDAYS, 12 * 3600 * 1000);
            std::map<double, int> clocks;
            for (const KernelTimer& timer : KernelTimers())
                clocks[timer.intervalSeconds] = timer.clockId;
            QCOMPARE(clocks.count(1.0), std::size_t{1});
            QCOMPARE(clocks.count(12 * 3600.0), std::size_t{1});
            QCOMPARE(clocks.count(5.0), std::size_t{0}); // replaced, not added
            QCOMPARE(clocks[1.0], kClockBootTime);
            QCOMPARE(clocks[12 * 3600.0], kClockBootTime);
            view.KillTimer(ID_TIMER_BIRTHDAYS);
            QCOMPARE(KernelTimers().size(), before + 1);
        }
        QCOMPARE(KernelTimers().size(), before);
    }
};

QTEST_MAIN(TickEngineTest)
#include "TickEngineTest.moc"
