// The dialogs as the user meets them: a group box's frame line runs through its title at the
// box's top, so the controls the template places just below that top are inside it; and a
// screen reader announces each control by the caption the user reads for it.
#include "res/HolidaysTemplate.h"
#include "res/NotebookTemplate.h"
#include "res/Resource.h"
#include "res/ShutdownTemplate.h"
#include "res/SystemInfoTemplate.h"
#include "res/TimerTemplate.h"
#include "view/QuillonView.h"

#include <QAccessible>
#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <map>

class DialogLookTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }

    // One row a control: the dialog, the control, and what a screen reader hears of it: its
    // role, its name ("...: " where a value follows) and the caption it is labelled by.
    void everyControlIsAnnouncedByItsCaption_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("labelledBy");
        const auto row = [](const char* dialog, int id, QAccessible::Role role, const char* name,
                            const char* labelledBy) {
            QTest::addRow("%s %d", dialog, id) << QString::fromUtf8(dialog) << id << int(role)
                                               << QString::fromUtf8(name) << QString::fromUtf8(labelledBy);
        };
        using R = QAccessible::Role;
        row("notebook", IDC_NOTEBOOK_BIRTHDAY, R::SpinBox, "Birthday", "Birthday");
        row("notebook", IDC_NOTEBOOK_FIRST_NAME, R::EditableText, "First name", "First name");
        row("notebook", IDC_NOTEBOOK_LAST_NAME, R::EditableText, "Last name", "Last name");
        row("notebook", IDC_NOTEBOOK_TEL, R::EditableText, "Tel", "Tel");
        row("notebook", IDC_NOTEBOOK_EMAIL, R::EditableText, "E-mail", "E-mail");
        row("notebook", IDC_NOTEBOOK_TEXT, R::EditableText, "Text", ""); // the group's title
        // Qt's item views report no labelled-by relation; their name is the caption.
        row("notebook", IDC_NOTEBOOK_LIST, R::List, "Day/Month/Year", "");
        row("notebook", IDC_NOTEBOOK_ADD, R::Button, "Add", "");
        row("holidays", IDC_HOLIDAYS_TODAY, R::List, "Today", "");
        row("holidays", IDC_HOLIDAYS_TOMORROW, R::List, "Tomorrow", "");
        row("holidays", IDC_HOLIDAYS_FIRST_NAME, R::EditableText, "First Name", "First Name");
        row("holidays", IDC_HOLIDAYS_LAST_NAME, R::EditableText, "Last Name", "Last Name");
        row("holidays", IDC_HOLIDAYS_TEL, R::EditableText, "Tel", "Tel");
        row("holidays", IDC_HOLIDAYS_EMAIL, R::EditableText, "E-mail", "E-mail");
        row("holidays", IDC_HOLIDAYS_TEXT, R::EditableText, "Text", "Text");
        row("holidays", IDC_HOLIDAYS_DONT_NOTIFY, R::CheckBox, "Don't notify me again",
            "Don't notify me again");
        row("holidays", IDC_HOLIDAYS_HOURS, R::EditableText, "Remember me", "Remember me");
        row("shutdown", IDC_SHUTDOWN_AT_DATE_TIME, R::RadioButton, "Enter dat and time",
            "Enter dat and time");
        row("shutdown", IDC_SHUTDOWN_AFTER_DELAY, R::RadioButton, "Enter time", "Enter time");
        row("shutdown", IDC_SHUTDOWN_RESTART, R::RadioButton, "Restart", "Restart");
        row("shutdown", IDC_SHUTDOWN_SHUT_DOWN, R::RadioButton, "Shut down", "Shut down");
        row("shutdown", IDC_SHUTDOWN_DATE, R::SpinBox, "Date", "Date");
        row("shutdown", IDC_SHUTDOWN_TIME, R::SpinBox, "Time", "Time");
        row("shutdown", IDC_SHUTDOWN_HOURS, R::Slider, "Hour", "Hour");
        row("shutdown", IDC_SHUTDOWN_MINUTES, R::Slider, "Min", "Min");
        row("shutdown", IDC_SHUTDOWN_SECONDS, R::Slider, "Sec", "Sec");
        row("shutdown", IDC_SHUTDOWN_HOURS_VALUE, R::StaticText, "Hour: ", "");
        row("timer", IDC_TIMER_HOURS, R::Slider, "Hour", "Hour");
        row("timer", IDC_TIMER_MINUTES, R::Slider, "Min", "Min");
        row("timer", IDC_TIMER_SECONDS, R::Slider, "Sec", "Sec");
        row("timer", IDC_TIMER_GO, R::Button, "Go", "");
        row("sysinfo", IDC_SYSINFO_OS, R::StaticText, "Operation system: ", "Operation system");
        row("sysinfo", IDC_SYSINFO_BUILD, R::StaticText, "Build number: ", "Build number");
        row("sysinfo", IDC_SYSINFO_SERVICE_PACK, R::StaticText, "Service pack: ", "Service pack");
        row("sysinfo", IDC_SYSINFO_PROCESSORS, R::StaticText,
            "Number of processors: ", "Number of processors");
        row("sysinfo", IDC_SYSINFO_ARCHITECTURE, R::StaticText,
            "Processor architecture: ", "Processor architecture");
        row("sysinfo", IDC_SYSINFO_PROCESSOR_LEVEL, R::StaticText, "Processor level: ", "Processor level");
    }

    void everyControlIsAnnouncedByItsCaption()
    {
        QFETCH(QString, dialog);
        QFETCH(int, id);
        QFETCH(int, role);
        QFETCH(QString, name);
        QFETCH(QString, labelledBy);
        CQuillonView view;
        const std::map<QString, std::pair<CDialog*, UINT>> dialogs{
            {QStringLiteral("notebook"), {&view.m_notebookDlg, ID_CLOCK_NOTEBOOK}},
            {QStringLiteral("holidays"), {&view.m_holidaysDlg, 0}},
            {QStringLiteral("shutdown"), {&view.m_shutdownDlg, ID_CLOCK_SHUTDOWN}},
            {QStringLiteral("timer"), {&view.m_timerDlg, ID_CLOCK_TIMER}},
            {QStringLiteral("sysinfo"), {&view.m_systemInfoDlg, ID_CLOCK_SYSTEMINFO}},
        };
        const auto [dlg, command] = dialogs.at(dialog);
        QString seenName, seenLabel;
        int seenRole = -1;
        QTimer::singleShot(0, this, [&, dlg = dlg] {
            QWidget* control = dlg->GetDlgItem(id)->GetSafeHwnd();
            QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
            QVERIFY(iface);
            seenRole = iface->role();
            seenName = iface->text(QAccessible::Name);
            for (const auto& [other, relation] : iface->relations(QAccessible::Label))
                seenLabel = other->text(QAccessible::Name).trimmed(); // the caption's own text
            QTest::keyClick(dlg->GetSafeHwnd(), Qt::Key_Escape);
        });
        if (command)
            view.OnCmdMsg(command);
        else
            dlg->DoModal();
        QCOMPARE(seenRole, role);
        // A value field's name goes on with the value: only the caption's part is fixed.
        if (name.endsWith(QLatin1String(": ")))
            QVERIFY2(seenName.startsWith(name) && seenName.size() > name.size(), qPrintable(seenName));
        else
            QCOMPARE(seenName, name);
        QCOMPARE(seenLabel, labelledBy);
    }

    void theTimersButtonsSitInsideTheirFrame()
    {
        CQuillonView view;
        CTimerDlg& dlg = view.m_timerDlg;
        int frameTop = -1, textTop = -1, textBottom = -1;
        QRect go, box;
        QTimer::singleShot(0, this, [&] {
            QWidget* window = dlg.GetSafeHwnd();
            for (auto* group : window->findChildren<QGroupBox*>())
                if (group->title() == QStringLiteral("Timer"))
                    box = group->geometry();
            QVERIFY(box.isValid());
            go = dlg.GetDlgItem(IDC_TIMER_GO)->GetSafeHwnd()->geometry();
            const QImage image = window->grab().toImage();
            const auto dark = [&](int x, int y) { return qGray(image.pixel(x, y)) < 110; };
            // The frame's top line, down a column between the title and the buttons.
            const int x = (box.left() + go.left()) / 2 + 12;
            for (int y = box.top(); y < go.top() + 10 && frameTop < 0; ++y)
                if (qGray(image.pixel(x, y)) < qGray(image.pixel(x, box.center().y())) - 20)
                    frameTop = y;
            // The title's letters, at the box's left.
            for (int y = box.top(); y < box.top() + 30; ++y)
                for (int tx = box.left() + 2; tx < x - 14; ++tx)
                    if (dark(tx, y)) {
                        textTop = textTop < 0 ? y : textTop;
                        textBottom = y;
                    }
            QTest::keyClick(window, Qt::Key_Escape);
        });
        view.OnCmdMsg(ID_CLOCK_TIMER);
        const QString seen = QStringLiteral("frame line at %1, title %2..%3, Go from %4")
                                 .arg(frameTop)
                                 .arg(textTop)
                                 .arg(textBottom)
                                 .arg(go.top());
        QVERIFY2(frameTop >= 0 && textTop >= 0, qPrintable(seen));
        QVERIFY2(textTop < frameTop && frameTop < textBottom, qPrintable(seen)); // through the title
        QVERIFY2(frameTop < go.top(), qPrintable(seen));                         // above the buttons
    }
};

QTEST_MAIN(DialogLookTest)
#include "DialogLookTest.moc"
