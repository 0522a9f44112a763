// The Timer dialog and the clock tick's stopwatch check, driven by a fake wall clock: the four
// states and their layouts, the notification sliders, and when and how loudly it notifies.
#include "dialogs/TimerDlg.h"
#include "data/StopwatchRules.h"
#include "platform/framework/Clock.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Beep.h"
#include "res/Resource.h"
#include "res/TimerTemplate.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/ScopedHook.h"
#include "tests/support/ViewHarness.h"
#include "view/QuillonView.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace {
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kMidnight = 1'700'000'000 - 1'700'000'000 % 86400; // a UTC midnight
constexpr std::int64_t kNoon = kMidnight + 12 * kHour;

void ResetStopwatchRecord()
{
    g_timerShowing = false;
    g_timerReset = false;
    g_timerPaused = false;
    g_timerIdle = true;
    g_pausedElapsed = 0;
    g_notifyHours = 0;
    g_notifyMinutes = 0;
    g_notifySeconds = 0;
}

using testsupport::Click;
using testsupport::Control;
using testsupport::TickAt;

// The enabled ones of Go, Stop and Exit, by name: what one state of the stopwatch offers.
QString EnabledButtons(CTimerDlg& dlg)
{
    QStringList names;
    for (const auto& [id, name] :
         {std::pair{IDC_TIMER_GO, "Go"}, {IDC_TIMER_STOP, "Stop"}, {IDC_TIMER_EXIT, "Exit"}})
        if (Control<QWidget>(dlg, id)->isEnabled())
            names << QString::fromLatin1(name);
    return names.join(u' ');
}

// The background notice: ten beeps, then the box with the count, after what came before.
std::vector<std::string> TenBeepsThenBox(const std::string& count, std::vector<std::string> before = {})
{
    before.insert(before.end(), 10, "beep");
    before.push_back("box:" + count);
    return before;
}

// A time zone for one scope, by a POSIX rule so that no zone database is needed.
class ZoneForTest
{
public:
    explicit ZoneForTest(const char* rule) { Set(rule); }
    ~ZoneForTest() { Set(m_saved.c_str()); }
    ZoneForTest(const ZoneForTest&) = delete;
    ZoneForTest& operator=(const ZoneForTest&) = delete;

private:
    static void Set(const char* rule)
    {
        ::setenv("TZ", rule, 1);
        ::tzset();
    }
    std::string m_saved = std::getenv("TZ") ? std::getenv("TZ") : "UTC";
};
} // namespace

class TimerDlgTest : public QObject
{
    Q_OBJECT

    std::int64_t m_fakeNow = kNoon;
    std::vector<std::string> m_events; // "beep" and "box:<text>", in order
    std::function<void()> m_onBox;     // runs inside a notification box
    testsupport::ScopedWallClock m_clock{[this] { return m_fakeNow; }};
    testsupport::ScopedBeepHandler m_beeps{[this](UINT type) {
        QCOMPARE(type, UINT(MB_ICONHAND));
        m_events.emplace_back("beep");
    }};
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT type) {
        m_events.push_back(std::string("box:") + text.GetString());
        if (type != MB_OK)
            m_events.emplace_back("wrong style");
        if (m_onBox)
            m_onBox();
        return int(IDOK);
    }};

    // Opens the view's Timer dialog; the action runs inside its modal loop. Whatever the
    // action leaves open is cancelled the way Escape does, so a failed check cannot hang the run.
    int Open(CQuillonView& view, const std::function<void(CTimerDlg&)>& action)
    {
        CTimerDlg& dlg = view.m_timerDlg;
        return testsupport::RunModal(
            dlg, [&](QWidget*) { action(dlg); }, {}, testsupport::LeftOpen::Cancel);
    }

    // From now on each of the view's own ticks is timed and moves the fake clock on by one
    // second, until it reaches m_stopAt.
    std::int64_t m_stopAt = INT64_MAX;
    QElapsedTimer m_since;
    std::vector<qint64> m_tickTimes;
    void SecondPerTick(CQuillonView& view)
    {
        m_since.start();
        m_tickTimes.clear();
        const CRect dial = view.m_dialRect;
        view.SetInvalidateObserverForTesting([this, dial](const CRect& r, bool) {
            if (r != dial)
                return;
            m_tickTimes.push_back(m_since.elapsed());
            if (m_fakeNow < m_stopAt)
                ++m_fakeNow; // the next tick reads the next second
        });
    }

    int Beeps() const { return static_cast<int>(std::count(m_events.begin(), m_events.end(), "beep")); }
    std::vector<std::string> Boxes() const
    {
        std::vector<std::string> boxes;
        for (const auto& e : m_events)
            if (e.rfind("box:", 0) == 0)
                boxes.push_back(e.substr(4));
        return boxes;
    }

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init()
    {
        ResetStopwatchRecord();
        m_events.clear();
        m_onBox = nullptr;
        m_fakeNow = kNoon;
        m_stopAt = INT64_MAX;
    }
    void cleanup()
    {
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void firstOpeningIsIdleWithBlankLabels()
    {
        CQuillonView view;
        const int result = Open(view, [&](CTimerDlg& dlg) {
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:00"));
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Go"));
            for (const int id : {IDC_TIMER_HOURS, IDC_TIMER_MINUTES, IDC_TIMER_SECONDS}) {
                QCOMPARE(Control<QSlider>(dlg, id)->value(), 0);
                QCOMPARE(Control<QSlider>(dlg, id)->minimum(), 0);
            }
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_HOURS)->maximum(), 24);
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_MINUTES)->maximum(), 60);
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_SECONDS)->maximum(), 60);
            for (const int id : {IDC_TIMER_HOURS_LABEL, IDC_TIMER_MINUTES_LABEL, IDC_TIMER_SECONDS_LABEL})
                QCOMPARE(dlg.GetDlgItemText(id), CString());
            QVERIFY(!g_timerShowing);
            Click(dlg, IDOK);
        });
        QCOMPARE(result, int(IDOK));
        QVERIFY(g_timerIdle);
    }

    void aLabelStaysBlankUntilItsSliderMovesAndBothSurvive()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            QSlider* hours = Control<QSlider>(dlg, IDC_TIMER_HOURS);
            hours->setFocus();
            QTest::keyClick(hours, Qt::Key_Right);
            QTest::keyClick(hours, Qt::Key_End); // to the top of 0..24
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_HOURS_LABEL), CString("24"));
            QCOMPARE(g_notifyHours, 24);
            QTest::keyClick(Control<QSlider>(dlg, IDC_TIMER_SECONDS), Qt::Key_Right);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_SECONDS_LABEL), CString("1"));
            QCOMPARE(g_notifySeconds, 1);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_MINUTES_LABEL), CString());
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:00"));
            QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
        });
        // Escape keeps the setting: it took effect at the move.
        QCOMPARE(g_notifyHours, 24);
        Open(view, [&](CTimerDlg& dlg) {
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_HOURS)->value(), 24);
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_SECONDS)->value(), 1);
            QCOMPARE(Control<QSlider>(dlg, IDC_TIMER_MINUTES)->value(), 0);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_HOURS_LABEL), CString("24"));
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_SECONDS_LABEL), CString("1"));
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_MINUTES_LABEL), CString());
            // Back to 0: the label now says so instead of going blank.
            QTest::keyClick(Control<QSlider>(dlg, IDC_TIMER_SECONDS), Qt::Key_Left);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_SECONDS_LABEL), CString("0"));
            QCOMPARE(g_notifySeconds, 0);
        });
    }

    void theDisplayAdvancesOneSecondATick()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            QVERIFY(g_timerShowing);
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Stop Exit"));
            QCOMPARE(dlg.m_startSecond, 12 * 3600);
            for (int s = 1; s <= 60; ++s) {
                TickAt(view, m_fakeNow, kNoon + s);
                QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), FormatElapsed(s));
            }
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:01:00"));
            QVERIFY(!g_timerIdle);
            Click(dlg, IDOK);
        });
        QCOMPARE(m_events.size(), std::size_t{0});
    }

    void goStopGoContinuesFromThePausedCount()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, kNoon + 74);
            m_fakeNow = kNoon + 75;
            Click(dlg, IDC_TIMER_STOP);
            QCOMPARE(g_pausedElapsed, 75);
            QVERIFY(g_timerPaused);
            QVERIFY(!g_timerShowing);
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Go Exit")); // Exit keeps its state
            // The display keeps the last tick's text, and paused ticks leave it alone.
            TickAt(view, m_fakeNow, kNoon + 200);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:01:14"));
            Click(dlg, IDC_TIMER_GO);
            QVERIFY(!g_timerPaused);
            TickAt(view, m_fakeNow, kNoon + 201);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:01:16"));
            m_fakeNow = kNoon + 210;
            Click(dlg, IDC_TIMER_STOP);
            QCOMPARE(g_pausedElapsed, 85);
            QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
        });
        // Reopened paused: the paused count, and only Go.
        Open(view, [&](CTimerDlg& dlg) {
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:01:25"));
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Go"));
            QVERIFY(!g_timerShowing);
        });
    }

    void stopThenExitThenGoStartsFromZero()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, kNoon + 30);
            Click(dlg, IDC_TIMER_STOP);
            Click(dlg, IDC_TIMER_EXIT);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:00"));
            QCOMPARE(dlg.m_startSecond, 0);
            QCOMPARE(g_pausedElapsed, 0);
            QVERIFY(g_timerReset);
            QVERIFY(g_timerPaused); // left as it was
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Go"));
            m_fakeNow = kNoon + 100;
            Click(dlg, IDC_TIMER_GO);
            QVERIFY(!g_timerPaused);
            QVERIFY(!g_timerReset);
            TickAt(view, m_fakeNow, kNoon + 101);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:01"));
            // Exit straight from running, too.
            Click(dlg, IDC_TIMER_EXIT);
            TickAt(view, m_fakeNow, kNoon + 102);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:00"));
        });
    }

    void closedBeforeTheFirstTickReopensNotRunning()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            Click(dlg, IDOK);
        });
        QVERIFY(!g_timerShowing);
        QVERIFY(g_timerIdle);
        TickAt(view, m_fakeNow, kNoon + 20); // runs on in the background
        Open(view, [&](CTimerDlg& dlg) {
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), FormatElapsed(g_pausedElapsed));
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Go"));
            QVERIFY(!g_timerShowing);
            TickAt(view, m_fakeNow, kNoon + 21);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:00"));
        });
        QCOMPARE(view.m_timerDlg.m_startSecond, 12 * 3600);
    }

    void theRunningLayoutOnlyAfterARefresh()
    {
        CQuillonView view;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, kNoon + 5);
            QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Return); // the default button, OK
        });
        QVERIFY(!g_timerShowing);
        TickAt(view, m_fakeNow, kNoon + 40); // closed: no refresh
        QCOMPARE(view.m_timerDlg.m_elapsedText, CString("0:00:05"));
        Open(view, [&](CTimerDlg& dlg) {
            QVERIFY(g_timerShowing);
            QCOMPARE(EnabledButtons(dlg), QStringLiteral("Stop Exit"));
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:05"));
            TickAt(view, m_fakeNow, kNoon + 41); // catches up
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:41"));
        });
    }

    void everyWayOfClosingLeavesTheCountRunning_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("OK") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close box") << 2;
    }
    void everyWayOfClosingLeavesTheCountRunning()
    {
        QFETCH(int, how);
        CQuillonView view;
        g_notifySeconds = 50;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, kNoon + 1);
            if (how == 0)
                Click(dlg, IDOK);
            else if (how == 1)
                QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
            else
                dlg.GetSafeHwnd()->close();
            QVERIFY(!dlg.GetSafeHwnd()->isVisible());
        });
        QVERIFY(!g_timerShowing);
        QVERIFY(!g_timerPaused);
        QVERIFY(!g_timerReset);
        QCOMPARE(view.m_timerDlg.m_startSecond, 12 * 3600);
        TickAt(view, m_fakeNow, kNoon + 50);
        QCOMPARE(Boxes(), std::vector<std::string>{"0:00:50"});
    }

    void zeroNeverNotifies()
    {
        CQuillonView view;
        // In the background through the first minutes of a day, and in the open dialog.
        for (std::int64_t t = kMidnight; t <= kMidnight + 130; ++t)
            TickAt(view, m_fakeNow, t);
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            for (int s = 0; s <= 70; ++s)
                TickAt(view, m_fakeNow, kNoon + s);
        });
        QCOMPARE(m_events.size(), std::size_t{0});
    }

    void oneBeepWithTheDialogOpenTenWithItClosed()
    {
        CQuillonView view;
        g_notifySeconds = 5;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            for (int s = 1; s <= 6; ++s)
                TickAt(view, m_fakeNow, kNoon + s);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:00:06"));
        });
        QCOMPARE(m_events, (std::vector<std::string>{"beep", "box:0:00:05"}));

        m_events.clear();
        g_notifySeconds = 0;
        g_notifyMinutes = 1;
        for (int s = 7; s <= 61; ++s)
            TickAt(view, m_fakeNow, kNoon + s);
        QCOMPARE(m_events, TenBeepsThenBox("0:01:00"));
    }

    void closingDuringTheBoxGoesOnToTheBackgroundNotice()
    {
        CQuillonView view;
        g_notifySeconds = 3;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            m_onBox = [&dlg] {
                if (g_timerShowing)
                    dlg.OnCancel();
            };
            TickAt(view, m_fakeNow, kNoon + 3);
        });
        QCOMPARE(m_events, TenBeepsThenBox("0:00:03", {"beep", "box:0:00:03"}));
    }

    void aPausedCountNeverNotifies()
    {
        CQuillonView view;
        g_notifySeconds = 10;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, kNoon + 2);
            Click(dlg, IDC_TIMER_STOP);
            for (int s = 3; s <= 12; ++s)
                TickAt(view, m_fakeNow, kNoon + s);
        });
        for (int s = 13; s <= 30; ++s)
            TickAt(view, m_fakeNow, kNoon + s);
        // Not even when the time of day itself reads the notification time.
        TickAt(view, m_fakeNow, kMidnight + 86400 + 10);
        QCOMPARE(m_events.size(), std::size_t{0});
    }

    void withoutGoTheNoticeComesAtThatTimeOfDay()
    {
        CQuillonView view;
        g_notifyMinutes = 1;
        g_notifySeconds = 30;
        Open(view, [&](CTimerDlg&) {}); // opened and closed without Go
        for (std::int64_t t = kMidnight + 88; t <= kMidnight + 92; ++t)
            TickAt(view, m_fakeNow, t);
        QCOMPARE(m_events, TenBeepsThenBox("0:01:30"));
    }

    void aCountStartedBeforeMidnightNotifiesAtItsTime()
    {
        CQuillonView view;
        g_notifyMinutes = 2;
        const std::int64_t go = kMidnight + 86400 - 60; // 23:59:00
        m_fakeNow = go;
        Open(view, [&](CTimerDlg& dlg) {
            Click(dlg, IDC_TIMER_GO);
            for (std::int64_t t = go + 1; t <= go + 61; ++t)
                TickAt(view, m_fakeNow, t);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:01:01")); // 00:00:01
            Click(dlg, IDOK);
        });
        for (std::int64_t t = go + 62; t <= go + 180; ++t)
            TickAt(view, m_fakeNow, t);
        QCOMPARE(m_events, TenBeepsThenBox("0:02:00"));

        // Paused after midnight, the carried count is what resumes.
        Open(view, [&](CTimerDlg& dlg) {
            m_fakeNow = go + 200;
            Click(dlg, IDC_TIMER_STOP);
            QCOMPARE(g_pausedElapsed, 200);
            Click(dlg, IDC_TIMER_GO);
            TickAt(view, m_fakeNow, go + 201);
            QCOMPARE(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:03:21"));
        });
    }

    // The view's own clock timer, sped up, with a wall clock that moves one second per tick
    // (up to a stop, so the display can be read) across the night Central Europe moves its
    // clocks from 02:00 to 03:00.
    void aRunningCountFollowsTheStopwatchAcrossSummerTime()
    {
        const ZoneForTest zone("CET-1CEST,M3.5.0,M10.5.0/3");
        const std::int64_t go = 1774745940 - 30; // 01:58:30 CET on 29 March 2026
        m_fakeNow = go;
        m_stopAt = go + 150;
        CQuillonView view;
        view.show();
        SecondPerTick(view);
        view.SetTimer(ID_TIMER_CLOCK, 10);
        Open(view, [&](CTimerDlg& dlg) {
            QSlider* minutes = Control<QSlider>(dlg, IDC_TIMER_MINUTES);
            minutes->setFocus();
            QTest::keyClick(minutes, Qt::Key_Right);
            QTest::keyClick(minutes, Qt::Key_Right);
            QCOMPARE(g_notifyMinutes, 2);
            Click(dlg, IDC_TIMER_GO);
            QTRY_COMPARE_WITH_TIMEOUT(dlg.GetDlgItemText(IDC_TIMER_ELAPSED), CString("0:02:30"), 30000);
            QCOMPARE(CTime(m_fakeNow).GetHour(), 3); // the clock face did jump
            // Due at 03:00:30 summer time, two real minutes after 01:58:30.
            QCOMPARE(m_events, (std::vector<std::string>{"beep", "box:0:02:00"}));
            QTest::keyClick(minutes, Qt::Key_Right);
            QTest::keyClick(minutes, Qt::Key_Right);
            Click(dlg, IDOK);
        });
        // Closed: the count runs on in the background and notifies at four real minutes.
        m_stopAt = go + 300;
        QTRY_COMPARE_WITH_TIMEOUT(m_events, TenBeepsThenBox("0:04:00", {"beep", "box:0:02:00"}), 30000);
        view.KillTimer(ID_TIMER_CLOCK);
    }

    // The background notification through the real bell path and a real message box: the ten
    // beeps sound apart, one after another while the box is already up, so nothing waits for
    // them, and the view's clock timer (sped up) ticks on between them.
    void theTenBeepsSoundApartWhileTheClockTicks()
    {
        const testsupport::ScopedBeepHandler realBeeps{platform::BeepHandler{}};
        const testsupport::ScopedMessageBoxHandler realBoxes{platform::MessageBoxHandler{}};
        g_notifySeconds = 5; // no count runs: at 00:00:05 by the clock
        m_fakeNow = kMidnight + 3;
        CQuillonView view;
        view.show();
        SecondPerTick(view);
        const QElapsedTimer& since = m_since;
        std::vector<qint64> rings;
        const testsupport::ScopedBell bell{[&] { rings.push_back(since.elapsed()); }};
        QString boxText;
        qint64 boxSeenAt = -1;
        QTimer closer;
        connect(&closer, &QTimer::timeout, &closer, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            if (boxSeenAt < 0)
                boxSeenAt = since.elapsed();
            if (rings.size() < 10 && since.elapsed() < 10000)
                return;
            boxText = box->text();
            QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
        });
        closer.start(10);
        view.SetTimer(ID_TIMER_CLOCK, 50);
        QTRY_VERIFY_WITH_TIMEOUT(!boxText.isEmpty(), 15000);
        view.KillTimer(ID_TIMER_CLOCK);
        QCOMPARE(boxText, QStringLiteral("0:00:05"));
        QCOMPARE(rings.size(), std::size_t{10});
        for (std::size_t i = 1; i < rings.size(); ++i)
            QVERIFY2(rings[i] - rings[i - 1] >= platform::kBeepSpacingMs - 5,
                     qPrintable(QStringLiteral("rings %1 ms apart").arg(rings[i] - rings[i - 1])));
        QVERIFY2(
            boxSeenAt >= 0 && boxSeenAt < rings[1],
            qPrintable(QStringLiteral("box up at %1 ms, second ring at %2 ms").arg(boxSeenAt).arg(rings[1])));
        // A tick every 50 ms, over the 2.25 s of ringing.
        const auto during = std::count_if(m_tickTimes.begin(), m_tickTimes.end(),
                                          [&](qint64 t) { return t > rings.front() && t < rings.back(); });
        QVERIFY2(during >= 10, qPrintable(QStringLiteral("%1 ticks while the beeps sounded").arg(during)));
    }
};

QTEST_MAIN(TimerDlgTest)
#include "TimerDlgTest.moc"
