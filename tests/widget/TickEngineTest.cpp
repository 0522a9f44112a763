// The tick engine: what one timer message does, driven by a fake wall clock.
#include "platform/framework/Clock.h"
#include "res/Resource.h"
#include "view/QuillonView.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

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
} // namespace

class TickEngineTest : public QObject
{
    Q_OBJECT

    std::int64_t m_fakeNow = kNoon;

private Q_SLOTS:
    void init()
    {
        platform::SetWallClockForTesting([this] { return m_fakeNow; });
    }
    void cleanup()
    {
        platform::SetWallClockForTesting({});
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

    void unknownTimerChangesNothing()
    {
        CQuillonView view;
        int invalidations = 0;
        view.SetInvalidateObserverForTesting([&](const CRect&, bool) { ++invalidations; });
        view.OnTimer(7);
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
};

QTEST_MAIN(TickEngineTest)
#include "TickEngineTest.moc"
