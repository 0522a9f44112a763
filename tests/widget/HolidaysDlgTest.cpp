// The birthday reminder dialog and the view's slow timer around it: picking entries, the
// hours line, OK against the close box, and when the scan comes back.
#include "dialogs/HolidaysDlg.h"
#include "platform/framework/Clock.h"
#include "platform/system/DesktopNotification.h"
#include "res/Resource.h"
#include "tests/support/Contacts.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/ScopedHook.h"
#include "view/QuillonView.h"
#include <optional>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>
#include <utility>

namespace {
using testsupport::Control;
using testsupport::HighlightedPixels;
using testsupport::RunModal;

constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kMidnight = 1'700'000'000 - 1'700'000'000 % 86400; // a UTC midnight (14 Nov 2023)

using testsupport::MakeContact;

void Pick(CDialog& dlg, int listId, int row)
{
    auto* list = Control<QListWidget>(dlg, listId);
    QVERIFY(list && list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void StepHours(CDialog& dlg, const char* direction)
{
    auto* arrow = dlg.GetDlgItem(1045)->GetSafeHwnd()->findChild<QToolButton*>(QString::fromUtf8(direction));
    QVERIFY(arrow);
    QTest::mouseClick(arrow, Qt::LeftButton);
}

QString Text(CDialog& dlg, int id)
{
    return Control<QLineEdit>(dlg, id)->text();
}
} // namespace

class HolidaysDlgTest : public QObject
{
    Q_OBJECT

    static int Open(CHolidaysDlg& dlg, const std::function<void(CHolidaysDlg&)>& action)
    {
        return RunModal(
            dlg, [&](QWidget*) { action(dlg); }, {}, testsupport::LeftOpen::Cancel);
    }

    static void Fill(CHolidaysDlg& dlg)
    {
        dlg.m_todayContacts.Add(MakeContact("Ann", "Lee", 1980, 11, 14, 9, 30));
        dlg.m_todayContacts.Add(MakeContact("Cy", "Day", 1990, 11, 14, 9, 30));
        dlg.m_tomorrowContacts.Add(MakeContact("Bo", "Ray", 1975, 11, 15, 9, 30));
    }

    std::int64_t m_fakeNow = kMidnight + 10 * kHour;
    platform::FakeNotificationService m_notifications;
    testsupport::ScopedWallClock m_clock{[this] { return m_fakeNow; }};
    testsupport::ScopedNotificationService m_notifier{&m_notifications};

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void cleanup() { QVERIFY(!QApplication::activeModalWidget()); }

    void pickingMovesTheSelectionBetweenTheLists()
    {
        CHolidaysDlg dlg;
        Fill(dlg);
        Open(dlg, [](CHolidaysDlg& d) {
            QCOMPARE(Control<QListWidget>(d, 1020)->count(), 2);
            QCOMPARE(Control<QListWidget>(d, 1020)->item(0)->text(), QStringLiteral("14:11:1980"));
            // A listener hears whose birthday each entry is, and the reminder's own words.
            QAccessibleInterface* today =
                QAccessible::queryAccessibleInterface(Control<QListWidget>(d, 1020));
            QCOMPARE(today->child(1)->text(QAccessible::Name), QStringLiteral("Cy Day, 14:11:1990"));
            QAccessibleInterface* tomorrow =
                QAccessible::queryAccessibleInterface(Control<QListWidget>(d, 1023));
            QCOMPARE(tomorrow->child(0)->text(QAccessible::Name), QStringLiteral("Bo Ray, 15:11:1975"));
            QCOMPARE(QAccessible::queryAccessibleInterface(d.GetSafeHwnd())->text(QAccessible::Description),
                     QStringLiteral("Today: Ann Lee, Cy Day\nTomorrow: Bo Ray"));
            QCOMPARE(Text(d, 1034), QString()); // nothing shown before a pick
            Pick(d, 1020, 1);
            QCOMPARE(Text(d, 1034), QStringLiteral("Cy"));
            QCOMPARE(Text(d, 1035), QStringLiteral("Day"));
            Pick(d, 1023, 0);
            QCOMPARE(Text(d, 1034), QStringLiteral("Bo"));
            QCOMPARE(Control<QListWidget>(d, 1020)->selectedItems().size(), 0);
            Pick(d, 1020, 0);
            QCOMPARE(Text(d, 1034), QStringLiteral("Ann"));
            QCOMPARE(Control<QListWidget>(d, 1023)->selectedItems().size(), 0);
            QVERIFY(Control<QLineEdit>(d, 1034)->isReadOnly());
        });
        // The details shown last survive to the next showing.
        Open(dlg, [](CHolidaysDlg& d) { QCOMPARE(Text(d, 1034), QStringLiteral("Ann")); });
    }

    // The commonest reminder: one birthday today, its entry highlighted as the dialog opens.
    // Clicking it shows whose birthday it is; picking the other list's entry takes the
    // highlight off this one on screen, so only one list ever looks picked.
    void theHighlightedEntryShowsItsContactAndOnlyOneListLooksPicked()
    {
        CHolidaysDlg dlg;
        dlg.m_todayContacts.Add(MakeContact("Ann", "Lee", 1980, 11, 14, 9, 30));
        dlg.m_tomorrowContacts.Add(MakeContact("Bo", "Ray", 1975, 11, 15, 9, 30));
        Open(dlg, [&](CHolidaysDlg& d) {
            QCOMPARE(Control<QListWidget>(d, 1020)->selectedItems().size(), 1);
            QCOMPARE(Text(d, 1034), QString());
            Pick(d, 1020, 0);
            QCOMPARE(Text(d, 1034), QStringLiteral("Ann"));
        });
        int todayLit = -1, tomorrowLit = -1, todayLitAfter = -1;
        Open(dlg, [&](CHolidaysDlg& d) {
            auto* today = Control<QListWidget>(d, 1020);
            QTRY_VERIFY((todayLit = HighlightedPixels(today)) > 0);
            Pick(d, 1023, 0);
            QCOMPARE(Text(d, 1034), QStringLiteral("Bo"));
            QTRY_VERIFY((tomorrowLit = HighlightedPixels(Control<QListWidget>(d, 1023))) > 0);
            QTest::qWait(100); // time for a paint of the "Today" list, were one coming
            todayLitAfter = HighlightedPixels(today);
        });
        QVERIFY(todayLit > 0);
        QVERIFY(tomorrowLit > 0);
        QCOMPARE(todayLitAfter, 0);
    }

    void hoursStepWithinOneToTwelveAndResetOnAPick()
    {
        CHolidaysDlg dlg;
        Fill(dlg);
        Open(dlg, [](CHolidaysDlg& d) {
            QCOMPARE(Text(d, 1025), QStringLiteral("2"));
            StepHours(d, "up");
            QCOMPARE(Text(d, 1025), QStringLiteral("3"));
            Pick(d, 1020, 1); // the push writes the stored hours back
            QCOMPARE(Text(d, 1025), QStringLiteral("2"));
            for (int i = 0; i < 15; ++i)
                StepHours(d, "down");
            QCOMPARE(Text(d, 1025), QStringLiteral("1"));
            for (int i = 0; i < 15; ++i)
                StepHours(d, "up");
            QCOMPARE(Text(d, 1025), QStringLiteral("12"));
        });
        QCOMPARE(dlg.m_remindHours, 2); // closed without OK
    }

    void okKeepsTheHoursAndTheCloseBoxDropsThem()
    {
        CHolidaysDlg dlg;
        Fill(dlg);
        QCOMPARE(Open(dlg,
                      [](CHolidaysDlg& d) {
                          StepHours(d, "up");
                          QTest::keyClick(d.GetSafeHwnd(), Qt::Key_Return);
                      }),
                 int(IDOK));
        QCOMPARE(dlg.m_remindHours, 3);
        Open(dlg, [](CHolidaysDlg& d) {
            StepHours(d, "up");
            d.GetSafeHwnd()->close(); // the close box
        });
        QCOMPARE(dlg.m_remindHours, 3);
    }

    void dontNotifyGreysTheHoursLine()
    {
        CHolidaysDlg dlg;
        Fill(dlg);
        Open(dlg, [](CHolidaysDlg& d) {
            const int line[] = {1048, 1047, 1025, 1045};
            for (int id : line)
                QVERIFY(d.GetDlgItem(id)->IsWindowEnabled());
            QTest::mouseClick(Control<QCheckBox>(d, 1043), Qt::LeftButton);
            QCOMPARE(d.m_dontNotify, 1);
            for (int id : line)
                QVERIFY(!d.GetDlgItem(id)->IsWindowEnabled());
            QTest::mouseClick(Control<QCheckBox>(d, 1043), Qt::LeftButton);
            QCOMPARE(d.m_dontNotify, 0);
            for (int id : line)
                QVERIFY(d.GetDlgItem(id)->IsWindowEnabled());
        });
    }

    // The slow timer: a scan with a birthday today shows the dialog and re-arms for the chosen
    // hours; "Don't notify me again" leaves the timer off; no match re-arms without a dialog.
    // The scan comes from the view's own slow timer: it stops the timer while the reminder is
    // up, re-arms it for the hours taken by OK, stays off after "Don't notify me again" and the
    // close box, and with no birthday shows nothing and re-arms all the same.
    void scanShowsTheReminderAndReArms()
    {
        CQuillonView view;
        view.m_notebookDlg.m_contacts.Add(MakeContact("Ann", "Lee", 1980, 11, 14, 9, 30));
        view.m_notebookDlg.m_contacts.Add(MakeContact("Bo", "Ray", 1975, 11, 15, 9, 30));
        view.m_notebookDlg.m_contacts.Add(MakeContact("Ed", "Far", 1975, 6, 1, 9, 30));
        view.OnInitialUpdate();
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 5000);

        int shown = 0;
        std::function<void(CHolidaysDlg&)> onShow;
        QTimer watch; // acts once on each showing of the reminder
        connect(&watch, &QTimer::timeout, this, [&] {
            QWidget* up = view.m_holidaysDlg.GetSafeHwnd();
            if (!up || !up->isVisible() || QApplication::activeModalWidget() != up || !onShow)
                return;
            ++shown;
            QCOMPARE(view.m_holidaysDlg.m_todayContacts.GetCount(), 1);
            QCOMPARE(view.m_holidaysDlg.m_tomorrowContacts.GetCount(), 1);
            QVERIFY(!view.IsTimerRunning(ID_TIMER_BIRTHDAYS)); // stopped while the reminder shows
            const auto action = std::exchange(onShow, nullptr);
            action(view.m_holidaysDlg);
        });
        watch.start(10);
        const auto scanSoon = [&] { view.SetTimer(ID_TIMER_BIRTHDAYS, 20); }; // a short first period

        onShow = [](CHolidaysDlg& d) {
            StepHours(d, "up");
            QTest::mouseClick(Control<QPushButton>(d, IDOK), Qt::LeftButton);
        };
        scanSoon();
        QTRY_COMPARE(shown, 1);
        QTRY_VERIFY(!view.m_holidaysDlg.GetSafeHwnd());
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 3 * 3600 * 1000);
        QVERIFY(view.m_todayIndexes.empty() && view.m_tomorrowIndexes.empty());
        QCOMPARE(m_notifications.sent.size(), std::size_t{1});

        onShow = [](CHolidaysDlg& d) {
            QTest::mouseClick(Control<QCheckBox>(d, 1043), Qt::LeftButton);
            d.GetSafeHwnd()->close(); // the close box
        };
        scanSoon();
        QTRY_COMPARE(shown, 2);
        QTRY_VERIFY(!view.m_holidaysDlg.GetSafeHwnd());
        QVERIFY(!view.IsTimerRunning(ID_TIMER_BIRTHDAYS)); // off until the next initial update

        view.OnInitialUpdate();
        QCOMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 5000);
        view.m_holidaysDlg.m_dontNotify = 0;
        m_fakeNow += 30 * kDay; // a day with no birthday
        scanSoon();
        QTRY_COMPARE(view.TimerPeriod(ID_TIMER_BIRTHDAYS), 3 * 3600 * 1000);
        QCOMPARE(shown, 2);
        QCOMPARE(view.m_holidaysDlg.m_todayContacts.GetCount(), 0);
        view.KillTimer(ID_TIMER_CLOCK);
    }
};

QTEST_MAIN(HolidaysDlgTest)
#include "HolidaysDlgTest.moc"
