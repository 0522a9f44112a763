// The shutdown scheduler: what each opening shows, what OK commits and what Cancel keeps.
#include "dialogs/ShutdownDlg.h"
#include "platform/framework/Clock.h"
#include "platform/framework/DialogWindow.h"
#include "platform/framework/MessageBox.h"
#include "res/Resource.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/ScopedHook.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <functional>
#include <vector>

namespace {
// 2026-12-08 09:30:15 UTC (the tests run with TZ=UTC).
constexpr std::int64_t kOpened = 1796722215;

using testsupport::Click;
using testsupport::Control;
using testsupport::RunModal;

void PickDate(CShutdownDlg& dlg, QDate date, QTime time)
{
    Control<QDateTimeEdit>(dlg, 1002)->setDate(date);
    Control<QDateTimeEdit>(dlg, 1003)->setTime(time);
}

bool Checked(CShutdownDlg& dlg, int id)
{
    return static_cast<CButton*>(dlg.GetDlgItem(id))->GetCheck() == BST_CHECKED;
}

bool Enabled(CShutdownDlg& dlg, int id)
{
    return dlg.GetDlgItem(id)->IsWindowEnabled();
}

// The whole of one mode's controls enabled, the other's disabled.
bool ShowsDateTimeMode(CShutdownDlg& dlg)
{
    bool dateTimeSet = Checked(dlg, 1000) && !Checked(dlg, 1001);
    for (int id : {1002, 1003, 1010, 1011})
        dateTimeSet = dateTimeSet && Enabled(dlg, id);
    for (int id : {1004, 1005, 1006, 1007, 1008, 1009, 1015, 1016, 1017})
        dateTimeSet = dateTimeSet && !Enabled(dlg, id);
    return dateTimeSet;
}
bool ShowsDelayMode(CShutdownDlg& dlg)
{
    bool delaySet = Checked(dlg, 1001) && !Checked(dlg, 1000);
    for (int id : {1002, 1003, 1010, 1011})
        delaySet = delaySet && !Enabled(dlg, id);
    for (int id : {1004, 1005, 1006, 1007, 1008, 1009, 1015, 1016, 1017})
        delaySet = delaySet && Enabled(dlg, id);
    return delaySet;
}
} // namespace

class ShutdownDlgTest : public QObject
{
    Q_OBJECT

    std::int64_t m_now = kOpened;
    std::vector<CString> m_messages;
    testsupport::ScopedWallClock m_clock{[this] { return m_now; }};
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT type) {
        m_messages.push_back(text);
        return type == MB_OK ? int(IDOK) : int(IDCANCEL);
    }};

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init()
    {
        m_now = kOpened;
        m_messages.clear();
        g_shutdownArmed = false;
        g_shutdownAtDateTime = false;
        testsupport::ForgetUnrunModalActions();
    }
    void cleanup()
    {
        QCOMPARE(testsupport::UnrunModalActions(), 0);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void firstOpeningShowsDelayModeAtZeroAndShutDown()
    {
        CShutdownDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            QCOMPARE(dlg.GetSafeHwnd()->windowTitle(), QStringLiteral("Restart and Shut Down"));
            QVERIFY(ShowsDelayMode(dlg));
            QVERIFY(!Checked(dlg, 1029));
            QVERIFY(Checked(dlg, 1030));
            const int maxima[] = {24, 60, 60};
            for (int i = 0; i < 3; ++i) {
                auto* slider = Control<QSlider>(dlg, 1004 + i);
                QCOMPARE(slider->minimum(), 0);
                QCOMPARE(slider->maximum(), maxima[i]);
                QCOMPARE(slider->value(), 0);
                QCOMPARE(slider->tickPosition() != QSlider::NoTicks, i == 0);
                QCOMPARE(Control<QLabel>(dlg, 1015 + i)->text(), QStringLiteral("0"));
            }
            QCOMPARE(Control<QLabel>(dlg, 1007)->text(), QStringLiteral("Hour"));
            QCOMPARE(Control<QLabel>(dlg, 1009)->text(), QStringLiteral("Sec"));
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1002)->date(), QDate(2026, 12, 8));
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1003)->time(), QTime(9, 30, 15));
            QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
        });
        QVERIFY(!g_shutdownArmed);
        QVERIFY(!dlg.m_dateTimeMode);
    }

    void labelsFollowTheSlidersAndTheDelayCountsFromOk()
    {
        CShutdownDlg dlg;
        int result = RunModal(dlg, [&](QWidget*) {
            QTest::keyClick(Control<QSlider>(dlg, 1004), Qt::Key_End);
            QTest::keyClick(Control<QSlider>(dlg, 1005), Qt::Key_Right);
            QCOMPARE(Control<QLabel>(dlg, 1015)->text(), QStringLiteral("24"));
            QCOMPARE(Control<QLabel>(dlg, 1016)->text(), QStringLiteral("1"));
            QCOMPARE(dlg.m_delayHours, 0); // taken only at OK
            Click(dlg, IDCANCEL);
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(dlg.m_delayHours, 0);

        result = RunModal(dlg, [&](QWidget*) {
            QCOMPARE(Control<QSlider>(dlg, 1004)->value(), 0);
            QTest::keyClick(Control<QSlider>(dlg, 1004), Qt::Key_Right);
            QTest::keyClick(Control<QSlider>(dlg, 1006), Qt::Key_End);
            m_now = kOpened + 75; // the user waits before pressing OK
            Click(dlg, IDOK);
        });
        QCOMPARE(result, int(IDOK));
        QVERIFY(g_shutdownArmed);
        QVERIFY(!g_shutdownAtDateTime);
        QVERIFY(!dlg.m_dateTimeModeSet);
        QCOMPARE(dlg.m_startTime.GetTime(), kOpened + 75);
        QCOMPARE(dlg.m_delayHours, 1);
        QCOMPARE(dlg.m_delayMinutes, 0);
        QCOMPARE(dlg.m_delaySeconds, 60);
        QVERIFY(m_messages.empty());

        RunModal(dlg, [&](QWidget*) {
            QCOMPARE(Control<QLabel>(dlg, 1015)->text(), QStringLiteral("1"));
            QCOMPARE(Control<QLabel>(dlg, 1017)->text(), QStringLiteral("60"));
        });
    }

    void cancelKeepsTheModeOfTheLastOk()
    {
        CShutdownDlg dlg;
        // Before any OK the committed mode reads as date and time.
        RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1000);
            QVERIFY(ShowsDateTimeMode(dlg));
            Click(dlg, IDCANCEL);
        });
        QVERIFY(!g_shutdownArmed);
        RunModal(dlg, [&](QWidget*) {
            QVERIFY(ShowsDateTimeMode(dlg));
            Click(dlg, 1001);
            QVERIFY(ShowsDelayMode(dlg));
            Click(dlg, IDOK);
        });
        QVERIFY(g_shutdownArmed);
        QVERIFY(!g_shutdownAtDateTime);

        // After a delay OK, date and time chosen then cancelled: delay mode again.
        RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1000);
            Click(dlg, IDCANCEL);
        });
        QVERIFY(dlg.m_dateTimeMode);
        RunModal(dlg, [&](QWidget*) {
            QVERIFY(ShowsDelayMode(dlg));
            QVERIFY(!dlg.m_dateTimeMode);
            m_now = kOpened + 5;
            Click(dlg, IDOK);
        });
        QVERIFY(!g_shutdownAtDateTime);
        QCOMPARE(dlg.m_startTime.GetTime(), kOpened + 5);
    }

    void aDateTimeScheduleReopensAtTheCurrentTime()
    {
        CShutdownDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1000);
            PickDate(dlg, QDate(2027, 3, 4), QTime(5, 6, 7));
            Click(dlg, IDOK);
        });
        QVERIFY(g_shutdownArmed);
        QVERIFY(g_shutdownAtDateTime);
        QVERIFY(dlg.m_dateTimeModeSet);
        QCOMPARE(dlg.m_date.GetYear(), 2027);
        QCOMPARE(dlg.m_date.GetMonth(), 3);
        QCOMPARE(dlg.m_date.GetDay(), 4);
        QCOMPARE(dlg.m_time.GetHour(), 5);
        QCOMPARE(dlg.m_time.GetMinute(), 6);
        QCOMPARE(dlg.m_time.GetSecond(), 7);

        m_now = kOpened + 86400 + 3600;
        RunModal(dlg, [&](QWidget*) {
            QVERIFY(ShowsDateTimeMode(dlg));
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1002)->date(), QDate(2026, 12, 9));
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1003)->time(), QTime(10, 30, 15));
        });
    }

    void restartIsCommittedOnlyByOk()
    {
        CShutdownDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1029);
            QVERIFY(Checked(dlg, 1029));
            QVERIFY(!Checked(dlg, 1030));
            Click(dlg, IDCANCEL);
        });
        QVERIFY(dlg.m_restartChoice);
        QVERIFY(!dlg.m_restart);
        RunModal(dlg, [&](QWidget*) {
            QVERIFY(Checked(dlg, 1030)); // the committed choice is shown
            QVERIFY(!Checked(dlg, 1029));
            Click(dlg, IDOK); // the pending choice is still restart
        });
        QVERIFY(dlg.m_restart);
        RunModal(dlg, [&](QWidget*) {
            QVERIFY(Checked(dlg, 1029));
            Click(dlg, 1030);
            Click(dlg, IDOK);
        });
        QVERIFY(!dlg.m_restart);
    }

    void aKeyboardReachesEveryChoice()
    {
        CShutdownDlg dlg;
        RunModal(dlg, [&](QWidget* window) {
            window->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(window));
            // Tab from OK round the dialog: each group of radio buttons is one stop, at its
            // checked button (after a delay; shut down), and Restart / Shut down is one of them.
            Control<QPushButton>(dlg, IDOK)->setFocus();
            std::vector<int> stops;
            for (int i = 0; i < 12 && (stops.empty() || stops.back() != IDOK); ++i) {
                QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
                stops.push_back(platform::ControlIdOf(window->focusWidget()));
            }
            const std::vector<int> expected{IDCANCEL, 1001, 1004, 1005, 1006, 1030, IDOK};
            QCOMPARE(stops, expected);
            // The arrows move through the group and check what they reach.
            QTest::keyClick(Control<QRadioButton>(dlg, 1030), Qt::Key_Left);
            QCOMPARE(platform::ControlIdOf(window->focusWidget()), 1029);
            QVERIFY(Checked(dlg, 1029) && !Checked(dlg, 1030));
            QTest::keyClick(window->focusWidget(), Qt::Key_Right);
            QVERIFY(Checked(dlg, 1030) && !Checked(dlg, 1029));
            // Within the mode group, the arrow's button also switches the mode, as its click does.
            Control<QRadioButton>(dlg, 1001)->setFocus();
            QTest::keyClick(window->focusWidget(), Qt::Key_Up);
            QCOMPARE(platform::ControlIdOf(window->focusWidget()), 1000);
            QVERIFY(ShowsDateTimeMode(dlg));
            // Tab now enters the mode group at the new choice, and goes on to the pickers.
            Control<QPushButton>(dlg, IDCANCEL)->setFocus();
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            QCOMPARE(platform::ControlIdOf(window->focusWidget()), 1000);
            QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
            QCOMPARE(platform::ControlIdOf(window->focusWidget()), 1002);
            QTest::keyClick(window, Qt::Key_Escape);
        });
    }

    void theYearTestAndTheRangeOfTheSchedule_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<QTime>("time");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("cancelRefused");
        QTest::newRow("last second of 2038's range")
            << QDate(2038, 1, 19) << QTime(3, 14, 7) << true << false;
        QTest::newRow("2038 past the range") << QDate(2038, 1, 19) << QTime(3, 14, 8) << false << false;
        QTest::newRow("late 2038") << QDate(2038, 12, 31) << QTime(0, 0, 0) << false << false;
        QTest::newRow("2039") << QDate(2039, 1, 1) << QTime(0, 0, 0) << false << true;
        QTest::newRow("first second of 1970") << QDate(1970, 1, 1) << QTime(0, 0, 0) << true << false;
        QTest::newRow("1969") << QDate(1969, 12, 31) << QTime(23, 59, 59) << false << false;
    }
    void theYearTestAndTheRangeOfTheSchedule()
    {
        QFETCH(QDate, date);
        QFETCH(QTime, time);
        QFETCH(bool, accepted);
        QFETCH(bool, cancelRefused);
        CShutdownDlg dlg;
        const int result = RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1000);
            PickDate(dlg, date, time);
            Click(dlg, IDOK);
            if (accepted)
                return;
            QVERIFY(dlg.GetSafeHwnd()->isVisible());
            QCOMPARE(m_messages, std::vector<CString>{"Please correct the year"});
            QVERIFY(dlg.m_dateTimeModeSet);
            QVERIFY(!g_shutdownArmed);
            QTest::keyClick(dlg.GetSafeHwnd(), Qt::Key_Escape);
            QCOMPARE(dlg.GetSafeHwnd() && dlg.GetSafeHwnd()->isVisible(), cancelRefused);
            QCOMPARE(m_messages.size(), std::size_t(cancelRefused ? 2 : 1));
            if (!cancelRefused)
                return;
            dlg.GetSafeHwnd()->close(); // the close box too
            QCOMPARE(m_messages.size(), std::size_t(3));
            // In delay mode there is no year test, on OK or on Cancel.
            Click(dlg, 1001);
            Click(dlg, IDOK);
        });
        QVERIFY(result == IDOK || result == IDCANCEL);
        QCOMPARE(g_shutdownArmed, accepted || cancelRefused);
        QCOMPARE(g_shutdownAtDateTime, accepted);
        if (accepted) {
            QCOMPARE(dlg.m_date.GetYear(), date.year());
            QVERIFY(m_messages.empty());
        }
    }

    void aRefusedOkHasAlreadyTakenTheRestartChoice()
    {
        CShutdownDlg dlg;
        RunModal(dlg, [&](QWidget*) { Click(dlg, IDOK); }); // a delay schedule, shut down
        const CTime started = dlg.m_startTime;
        m_now = kOpened + 600;
        RunModal(dlg, [&](QWidget*) {
            Click(dlg, 1029);
            Click(dlg, 1000);
            PickDate(dlg, QDate(2040, 6, 1), QTime(12, 0, 0));
            Click(dlg, IDOK);
            QVERIFY(dlg.GetSafeHwnd()->isVisible());
            Click(dlg, 1001);
            Click(dlg, IDCANCEL);
        });
        QCOMPARE(m_messages, std::vector<CString>{"Please correct the year"});
        QVERIFY(dlg.m_restart);
        QVERIFY(dlg.m_dateTimeModeSet);
        QVERIFY(g_shutdownArmed);
        QVERIFY(!g_shutdownAtDateTime);
        QCOMPARE(dlg.m_startTime, started);
    }
};

QTEST_MAIN(ShutdownDlgTest)
#include "ShutdownDlgTest.moc"
