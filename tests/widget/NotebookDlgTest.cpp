// The Notebook dialog driven as the user drives it: the form, "Add", "Delete", picking an
// entry, Enter and the ways out, and the dialog opened from the clock's command.
#include "dialogs/NotebookDlg.h"
#include "app/QuillonApp.h"
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "data/QuillonDoc.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/Clock.h"
#include "platform/framework/DialogWindow.h"
#include "platform/framework/MessageBox.h"
#include "res/NotebookTemplate.h"
#include "res/Resource.h"
#include "tests/support/Contacts.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/ScopedHook.h"
#include "view/QuillonView.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <utility>

namespace {

// The clock reads 15 June 2026, 10:20:30 (TZ=UTC) throughout.
const QDate kToday(2026, 6, 15);
const std::int64_t kNow = QDateTime(kToday, QTime(10, 20, 30), Qt::UTC).toSecsSinceEpoch();

using testsupport::MakeContact;

// The program keeps its book in the current folder: a fresh temporary one for a test, which the
// test makes current; the previous one is current again before the folder goes.
struct CurrentFolder : QTemporaryDir
{
    QString previous = QDir::currentPath();
    ~CurrentFolder() { QDir::setCurrent(previous); }
};

using testsupport::Click;
using testsupport::Control;
using testsupport::RunModal;

void Pick(CNotebookDlg& dlg, int row)
{
    auto* list = Control<QListWidget>(dlg, IDC_NOTEBOOK_LIST);
    QVERIFY(row < list->count());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

void FillForm(CNotebookDlg& dlg, const QString& first, const QString& last, QDate birthday)
{
    Control<QLineEdit>(dlg, IDC_NOTEBOOK_FIRST_NAME)->setText(first);
    Control<QLineEdit>(dlg, IDC_NOTEBOOK_LAST_NAME)->setText(last);
    Control<QDateTimeEdit>(dlg, IDC_NOTEBOOK_BIRTHDAY)->setDate(birthday);
}

QDate PickerDate(CNotebookDlg& dlg)
{
    return Control<QDateTimeEdit>(dlg, IDC_NOTEBOOK_BIRTHDAY)->date();
}

QStringList ListTexts(CNotebookDlg& dlg)
{
    QStringList texts;
    for (int i = 0; i < dlg.m_birthdayList.GetItemCount(); ++i)
        texts << dlg.m_birthdayList.GetItemText(i).ToQString();
    return texts;
}

QStringList Names(const CContactList& contacts)
{
    QStringList names;
    for (const CContact& contact : contacts)
        names << contact.m_strFirstName.ToQString();
    return names;
}

// No entry picked, every field empty, the picker on today.
void CheckFormIsClear(CNotebookDlg& dlg)
{
    QCOMPARE(dlg.m_birthdayList.GetSelectionMark(), -1);
    QVERIFY(Control<QListWidget>(dlg, IDC_NOTEBOOK_LIST)->selectedItems().isEmpty());
    for (int id : {IDC_NOTEBOOK_FIRST_NAME, IDC_NOTEBOOK_LAST_NAME, IDC_NOTEBOOK_TEL, IDC_NOTEBOOK_EMAIL})
        QCOMPARE(Control<QLineEdit>(dlg, id)->text(), QString());
    QCOMPARE(Control<QPlainTextEdit>(dlg, IDC_NOTEBOOK_TEXT)->toPlainText(), QString());
    QCOMPARE(PickerDate(dlg), kToday);
}

} // namespace

class NotebookDlgTest : public QObject
{
    Q_OBJECT

    QStringList m_messages;
    testsupport::ScopedWallClock m_clock{[] { return kNow; }};
    testsupport::ScopedMessageBoxHandler m_boxes{[this](const CString& text, UINT) {
        m_messages << text.ToQString();
        return int(IDOK);
    }};

private Q_SLOTS:
    void initTestCase() { res::RegisterResources(); }
    void init()
    {
        m_messages.clear();
        testsupport::ForgetUnrunModalActions();
    }
    void cleanup()
    {
        QCOMPARE(testsupport::UnrunModalActions(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (const QWidget* w : QApplication::topLevelWidgets())
            QVERIFY(!w->isVisible() && !qobject_cast<const QDialog*>(w));
        QVERIFY(m_messages.isEmpty()); // the dialog has no messages of its own
    }

    void templateLaysOutTheControlsInDialogUnits()
    {
        CNotebookDlg dlg;
        RunModal(dlg, [&](QWidget* w) {
            QCOMPARE(w->windowTitle(), QStringLiteral("Notebook"));
            const auto pixels = [&](int x, int y, int width, int height) {
                return testsupport::DialogUnitPixels(w->font(), x, y, width, height);
            };
            QCOMPARE(w->size(), pixels(0, 0, 231, 170).size());
            QCOMPARE(dlg.GetDlgItem(IDOK)->GetSafeHwnd()->geometry(), pixels(172, 6, 50, 14));
            QCOMPARE(dlg.GetDlgItem(IDC_NOTEBOOK_LIST)->GetSafeHwnd()->geometry(), pixels(14, 23, 54, 63));
            QCOMPARE(dlg.GetDlgItem(IDC_NOTEBOOK_TEXT)->GetSafeHwnd()->geometry(), pixels(11, 101, 128, 59));
            QCOMPARE(dlg.GetDlgItem(IDC_NOTEBOOK_EMAIL)->GetSafeHwnd()->geometry(), pixels(157, 140, 59, 13));

            QStringList labels, groups, buttons;
            for (const QLabel* label : w->findChildren<QLabel*>())
                labels << label->text();
            for (const QGroupBox* group : w->findChildren<QGroupBox*>())
                groups << group->title();
            for (const QPushButton* button : w->findChildren<QPushButton*>())
                buttons << button->text();
            labels.sort();
            groups.sort();
            buttons.sort();
            QCOMPARE(labels, QStringList({QStringLiteral("Birthday"), QStringLiteral("Day/Month/Year"),
                                          QStringLiteral("E-mail"), QStringLiteral("First name"),
                                          QStringLiteral("Last name"), QStringLiteral("Tel")}));
            QCOMPARE(groups, QStringList({QString(), QStringLiteral("Info"), QStringLiteral("Text")}));
            QCOMPARE(buttons,
                     QStringList({QStringLiteral("Add"), QStringLiteral("Delete"), QStringLiteral("OK")}));
            QCOMPARE(Control<QPlainTextEdit>(dlg, IDC_NOTEBOOK_TEXT)->verticalScrollBarPolicy(),
                     Qt::ScrollBarAlwaysOn);
            QCOMPARE(w->focusWidget(), dlg.GetDlgItem(IDOK)->GetSafeHwnd()); // the first tab stop

            QList<int> tabOrder;
            QWidget* stop = w->focusWidget();
            do {
                tabOrder << platform::ControlIdOf(stop);
                stop = stop->nextInFocusChain();
                // Only the template's controls; their inner parts (a picker's line edit) are theirs.
                while (stop != w->focusWidget() &&
                       (!(stop->focusPolicy() & Qt::TabFocus) || stop->parentWidget() != w))
                    stop = stop->nextInFocusChain();
            } while (stop != w->focusWidget() && tabOrder.size() < 20);
            QCOMPARE(tabOrder,
                     QList<int>({IDOK, IDC_NOTEBOOK_BIRTHDAY, IDC_NOTEBOOK_ADD, IDC_NOTEBOOK_FIRST_NAME,
                                 IDC_NOTEBOOK_LAST_NAME, IDC_NOTEBOOK_TEL, IDC_NOTEBOOK_TEXT,
                                 IDC_NOTEBOOK_EMAIL, IDC_NOTEBOOK_DELETE, IDC_NOTEBOOK_LIST}));
        });
    }

    void emptyBookAddsAContactWithEmptyFields()
    {
        CNotebookDlg dlg;
        RunModal(dlg, [&](QWidget* w) {
            QCOMPARE(dlg.m_birthdayList.GetItemCount(), 0);
            CheckFormIsClear(dlg);
            Click(dlg, IDC_NOTEBOOK_DELETE);
            QCOMPARE(dlg.m_contacts.GetCount(), 0);
            QVERIFY(w->isVisible());

            Control<QDateTimeEdit>(dlg, IDC_NOTEBOOK_BIRTHDAY)->setDate(QDate(1975, 9, 9));
            Click(dlg, IDC_NOTEBOOK_ADD);
            QCOMPARE(ListTexts(dlg), QStringList{QStringLiteral("09:09:1975")});
            QCOMPARE(dlg.m_birthdayList.GetTextColor(), RGB(0, 0, 255));
            CheckFormIsClear(dlg);
            Click(dlg, IDC_NOTEBOOK_DELETE); // nothing is picked after "Add"
            QCOMPARE(dlg.m_contacts.GetCount(), 1);
        });
        const CContact& stored = dlg.m_contacts[0];
        for (const CString* text : {&stored.m_strText, &stored.m_strFirstName, &stored.m_strLastName,
                                    &stored.m_strTel, &stored.m_strEMail})
            QCOMPARE(*text, CString(""));
        QCOMPARE(stored.m_dtBirthday.GetYear(), 1975);
        QCOMPARE(stored.m_dtBirthday.GetMonth(), 9);
        QCOMPARE(stored.m_dtBirthday.GetDay(), 9);
        QCOMPARE(stored.m_dtBirthday.GetHour(), 10); // the picker keeps the time it was given
        QCOMPARE(stored.m_dtBirthday.GetMinute(), 20);
    }

    void duplicatesAreRefusedAndNearDuplicatesStored()
    {
        CNotebookDlg dlg;
        CContact ann = MakeContact("Ann", "Lee", 1980, 3, 5, 23); // the form will carry 10:20:30
        dlg.m_contacts.Add(ann);
        RunModal(dlg, [&](QWidget*) {
            FillForm(dlg, QStringLiteral("Ann"), QStringLiteral("Lee"), QDate(1980, 3, 5));
            Click(dlg, IDC_NOTEBOOK_ADD);
            QCOMPARE(dlg.m_contacts.GetCount(), 1);
            CheckFormIsClear(dlg);

            FillForm(dlg, QStringLiteral("ann"), QStringLiteral("Lee"), QDate(1980, 3, 5));
            Click(dlg, IDC_NOTEBOOK_ADD);
            FillForm(dlg, QStringLiteral("Bob"), QStringLiteral("Lee"), QDate(1980, 3, 5));
            Click(dlg, IDC_NOTEBOOK_ADD);
            FillForm(dlg, QStringLiteral("Ann"), QStringLiteral("Lee"), QDate(1981, 3, 5));
            Click(dlg, IDC_NOTEBOOK_ADD);
            QCOMPARE(ListTexts(dlg),
                     QStringList({QStringLiteral("05:03:1980"), QStringLiteral("05:03:1980"),
                                  QStringLiteral("05:03:1980"), QStringLiteral("05:03:1981")}));
        });
        QCOMPARE(Names(dlg.m_contacts), QStringList({QStringLiteral("Ann"), QStringLiteral("ann"),
                                                     QStringLiteral("Bob"), QStringLiteral("Ann")}));
    }

    void addSortsByMonthAndDayOnly_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QString>("added");
        QTest::addColumn<QDate>("birthday");
        QTest::addColumn<QStringList>("expected");
        // Stored contacts: A1 and A2 on 5 March (A1 first), B on 1 June, Z on 2 January 1950.
        QTest::newRow("year plays no part")
            << QStringList{QStringLiteral("Z")} << QStringLiteral("X") << QDate(1990, 1, 1)
            << QStringList{QStringLiteral("X"), QStringLiteral("Z")};
        QTest::newRow("before a tie")
            << QStringList{QStringLiteral("A1"), QStringLiteral("A2"), QStringLiteral("B")}
            << QStringLiteral("X") << QDate(2000, 1, 1)
            << QStringList{QStringLiteral("X"), QStringLiteral("A2"), QStringLiteral("A1"),
                           QStringLiteral("B")};
        QTest::newRow("into a tie") << QStringList{QStringLiteral("A1"), QStringLiteral("A2"),
                                                   QStringLiteral("B")}
                                    << QStringLiteral("Y") << QDate(2000, 3, 5)
                                    << QStringList{QStringLiteral("A1"), QStringLiteral("A2"),
                                                   QStringLiteral("Y"), QStringLiteral("B")};
        QTest::newRow("a damaged date goes first")
            << QStringList{QStringLiteral("bad")} << QStringLiteral("X") << QDate(1990, 1, 1)
            << QStringList{QStringLiteral("bad"), QStringLiteral("X")};
    }
    void addSortsByMonthAndDayOnly()
    {
        QFETCH(QStringList, stored);
        QFETCH(QString, added);
        QFETCH(QDate, birthday);
        QFETCH(QStringList, expected);
        CNotebookDlg dlg;
        for (const QString& name : stored) {
            const QByteArray bytes = name.toUtf8();
            CContact contact =
                name == QStringLiteral("B")   ? MakeContact(bytes.constData(), "", 1970, 6, 1, 12)
                : name == QStringLiteral("Z") ? MakeContact(bytes.constData(), "", 1950, 1, 2, 12)
                                              : MakeContact(bytes.constData(), "", 1960, 3, 5, 12);
            if (name == QStringLiteral("bad"))
                contact.m_dtBirthday.SetStatus(COleDateTime::invalid);
            dlg.m_contacts.Add(contact);
        }
        QStringList texts;
        RunModal(dlg, [&](QWidget*) {
            FillForm(dlg, added, QString(), birthday);
            Click(dlg, IDC_NOTEBOOK_ADD);
            texts = ListTexts(dlg);
        });
        QCOMPARE(Names(dlg.m_contacts), expected);
        QCOMPARE(texts.size(), expected.size());
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(texts[i], FormatBirthdayText(dlg.m_contacts[i].m_dtBirthday).ToQString());
        if (stored.contains(QStringLiteral("bad")))
            QCOMPARE(texts.front(), QStringLiteral("0-1:0-1:-1"));
    }

    void listShowsTheBookInItsOrderWithPaddedDates()
    {
        CNotebookDlg dlg;
        for (auto [day, month] : {std::pair{9, 9}, {10, 10}, {1, 12}, {12, 1}})
            dlg.m_contacts.Add(MakeContact("", "", 1975, month, day, 12));
        RunModal(dlg, [&](QWidget*) {
            // Opening does not sort: the loaded order stays.
            QCOMPARE(ListTexts(dlg),
                     QStringList({QStringLiteral("09:09:1975"), QStringLiteral("10:10:1975"),
                                  QStringLiteral("01:12:1975"), QStringLiteral("12:01:1975")}));
            QCOMPARE(dlg.m_birthdayList.GetTextColor(), RGB(0, 0, 255));
        });
    }

    void deleteRemovesThePickedContactOnly()
    {
        CNotebookDlg dlg;
        for (auto [name, month] : {std::pair{"June", 6}, {"January", 1}, {"March", 3}})
            dlg.m_contacts.Add(MakeContact(name, "", 1980, month, 1, 12));
        RunModal(dlg, [&](QWidget*) {
            Pick(dlg, 1);
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_FIRST_NAME)->text(), QStringLiteral("January"));
            Click(dlg, IDC_NOTEBOOK_DELETE);
            QCOMPARE(ListTexts(dlg),
                     QStringList({QStringLiteral("01:06:1980"), QStringLiteral("01:03:1980")}));
            CheckFormIsClear(dlg);
            Click(dlg, IDC_NOTEBOOK_DELETE);
            QCOMPARE(dlg.m_contacts.GetCount(), 2);
        });
        QCOMPARE(Names(dlg.m_contacts), QStringList({QStringLiteral("June"), QStringLiteral("March")}));
    }

    void pickingAnEntryFillsTheForm()
    {
        CNotebookDlg dlg;
        CContact ann = MakeContact("Ann", "Lee", 1980, 3, 5, 12);
        ann.m_strTel = "+44 20 7946 0000";
        ann.m_strEMail = "ann@example.org";
        ann.m_strText = "line one\r\nline two";
        dlg.m_contacts.Add(ann);
        dlg.m_contacts.Add(MakeContact("Bob", "", 1990, 7, 21, 12));
        RunModal(dlg, [&](QWidget* w) {
            Pick(dlg, 1);
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_FIRST_NAME)->text(), QStringLiteral("Bob"));
            QCOMPARE(PickerDate(dlg), QDate(1990, 7, 21));
            // The keyboard moves the pick as well.
            QTest::keyClick(Control<QListWidget>(dlg, IDC_NOTEBOOK_LIST), Qt::Key_Up);
            QCOMPARE(dlg.m_birthdayList.GetSelectionMark(), 0);
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_FIRST_NAME)->text(), QStringLiteral("Ann"));
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_LAST_NAME)->text(), QStringLiteral("Lee"));
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_TEL)->text(), QStringLiteral("+44 20 7946 0000"));
            // Filled by the pick, the narrow fields show the start of their text: the "+".
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_TEL)->cursorPosition(), 0);
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_EMAIL)->cursorPosition(), 0);
            QCOMPARE(Control<QLineEdit>(dlg, IDC_NOTEBOOK_EMAIL)->text(), QStringLiteral("ann@example.org"));
            QCOMPARE(PickerDate(dlg), QDate(1980, 3, 5));
            auto* note = Control<QPlainTextEdit>(dlg, IDC_NOTEBOOK_TEXT);
            QCOMPARE(note->toPlainText(), QStringLiteral("line one\nline two"));

            // Enter in the note is a new line; the edited form is stored as a second contact.
            note->setFocus();
            note->moveCursor(QTextCursor::End);
            QTest::keyClick(note, Qt::Key_Return);
            QTest::keyClicks(note, QStringLiteral("three"));
            QVERIFY(w->isVisible());
            Click(dlg, IDC_NOTEBOOK_ADD);
            CheckFormIsClear(dlg);
        });
        QCOMPARE(dlg.m_contacts.GetCount(), 3);
        QCOMPARE(dlg.m_contacts[0].m_strText, CString("line one\r\nline two"));
        QCOMPARE(dlg.m_contacts[1].m_strText, CString("line one\r\nline two\r\nthree"));
        QCOMPARE(dlg.m_contacts[1].m_strEMail, CString("ann@example.org"));
        QCOMPARE(dlg.m_contacts[1].m_dtBirthday.GetHour(), 12); // the picked contact's time came along
    }

    // The template's tab order holds from the first tab stop: OK, the birthday picker (one
    // stop), Add. Enter on the focused Add adds and keeps the dialog open.
    void tabTabEnterReachesAdd()
    {
        CNotebookDlg dlg;
        const int result = RunModal(dlg, [&](QWidget* w) {
            QTRY_VERIFY(Control<QPushButton>(dlg, IDOK)->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(Control<QDateTimeEdit>(dlg, IDC_NOTEBOOK_BIRTHDAY)->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(Control<QPushButton>(dlg, IDC_NOTEBOOK_ADD)->hasFocus());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QVERIFY(w->isVisible());
            QCOMPARE(dlg.m_contacts.GetCount(), 1);
            QTest::keyClick(w, Qt::Key_Escape);
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(dlg.m_contacts.GetCount(), 1);
        QCOMPARE(dlg.m_contacts[0].m_dtBirthday.GetDay(), kToday.day());
    }

    void enterClosesThroughOkWithoutAdding_data()
    {
        QTest::addColumn<int>("focus");
        QTest::newRow("first name") << int(IDC_NOTEBOOK_FIRST_NAME);
        QTest::newRow("tel") << int(IDC_NOTEBOOK_TEL);
        QTest::newRow("e-mail") << int(IDC_NOTEBOOK_EMAIL);
        QTest::newRow("list") << int(IDC_NOTEBOOK_LIST);
    }
    void enterClosesThroughOkWithoutAdding()
    {
        QFETCH(int, focus);
        CNotebookDlg dlg;
        dlg.m_contacts.Add(MakeContact("Ann", "", 1980, 3, 5, 12));
        const int result = RunModal(dlg, [&](QWidget*) {
            FillForm(dlg, QStringLiteral("Typed"), QString(), QDate(2001, 12, 21));
            if (focus == IDC_NOTEBOOK_LIST)
                Pick(dlg, 0);
            QWidget* target = dlg.GetDlgItem(focus)->GetSafeHwnd();
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(Names(dlg.m_contacts), QStringList{QStringLiteral("Ann")});
        // "OK" took the form into the members, as the framework's OnOK does.
        QCOMPARE(dlg.m_firstName, CString(focus == IDC_NOTEBOOK_LIST ? "Ann" : "Typed"));
    }

    void everyWayOutKeepsAddsAndDeletes_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("close box") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("OK") << 2;
    }
    void everyWayOutKeepsAddsAndDeletes()
    {
        QFETCH(int, way);
        CNotebookDlg dlg;
        dlg.m_contacts.Add(MakeContact("Ann", "", 1980, 3, 5, 12));
        dlg.m_contacts.Add(MakeContact("Bob", "", 1990, 7, 21, 12));
        const int result = RunModal(dlg, [&](QWidget* w) {
            Pick(dlg, 0);
            Click(dlg, IDC_NOTEBOOK_DELETE);
            FillForm(dlg, QStringLiteral("Cy"), QString(), QDate(1999, 2, 2));
            Click(dlg, IDC_NOTEBOOK_ADD);
            if (way == 0)
                w->close();
            else if (way == 1)
                QTest::keyClick(w, Qt::Key_Escape);
            else
                Click(dlg, IDOK);
            QVERIFY(!w->isVisible());
        });
        QCOMPARE(result, way == 2 ? int(IDOK) : int(IDCANCEL));
        QCOMPARE(Names(dlg.m_contacts), QStringList({QStringLiteral("Cy"), QStringLiteral("Bob")}));
    }

    void aSecondOpeningListsEveryContactWithAClearForm()
    {
        CNotebookDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            FillForm(dlg, QStringLiteral("Ann"), QStringLiteral("Lee"), QDate(1980, 3, 5));
            Click(dlg, IDC_NOTEBOOK_ADD);
            FillForm(dlg, QStringLiteral("Bob"), QString(), QDate(1990, 1, 21));
            Click(dlg, IDC_NOTEBOOK_ADD);
            Pick(dlg, 1);
            Click(dlg, IDOK);
        });
        QCOMPARE(dlg.m_firstName, CString("Ann")); // the members keep the last form
        RunModal(dlg, [&](QWidget*) {
            QCOMPARE(ListTexts(dlg),
                     QStringList({QStringLiteral("21:01:1990"), QStringLiteral("05:03:1980")}));
            CheckFormIsClear(dlg);
        });
        QCOMPARE(dlg.m_firstName, CString(""));
        QCOMPARE(Names(dlg.m_contacts), QStringList({QStringLiteral("Bob"), QStringLiteral("Ann")}));
    }

    void droppedVCardsJoinTheBookFromTheClockAndTheNotebook()
    {
        CurrentFolder dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir::setCurrent(dir.path()));
        const auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        const auto card = [](const char* n, const char* bday) -> QByteArray {
            return QByteArray("BEGIN:VCARD\r\nVERSION:3.0\r\nN:") + n + "\r\nBDAY:" + bday +
                   "\r\nEND:VCARD\r\n";
        };
        write(QStringLiteral("ann.vcf"), card("Lee;Ann;;;", "1980-03-05") + card("Lee;Ann;;;", "1980-03-05"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("vdir")));
        write(QStringLiteral("vdir/bo.vcf"), card("Ray;Bo;;;", "--0721"));
        write(QStringLiteral("vdir/cy.VCF"), card("Mo;Cy;;;", "1970-01-01") + card("Nobody;;;;", "soon"));
        write(QStringLiteral("notes.txt"), card("Text;Tom;;;", "1970-01-01"));
        // A drop as a file manager makes it: enter, then drop; returns whether it was taken.
        const auto drop = [](QWidget* target, const QStringList& paths) {
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& path : paths)
                urls << QUrl::fromLocalFile(path);
            data.setUrls(urls);
            const QPoint at = target->rect().center();
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &enter);
            if (!enter.isAccepted())
                return false;
            QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(target, &dropped);
            return dropped.isAccepted();
        };
        {
            CQuillonApp app;
            QVERIFY(app.InitInstance());
            auto* doc = static_cast<CQuillonDoc*>(app.DocTemplate()->GetDocument());
            CQuillonView* view = doc->GetView();
            CNotebookDlg& dlg = view->m_notebookDlg;

            // On the clock face: the file's two cards are one contact.
            QVERIFY(drop(view, {dir.filePath(QStringLiteral("ann.vcf"))}));
            QCOMPARE(m_messages, QStringList{QStringLiteral("Added 1 contact, skipped 1 (1 duplicate).")});
            m_messages.clear();
            QCOMPARE(Names(dlg.m_contacts), QStringList{QStringLiteral("Ann")});
            // What is not a vCard is not taken, nor read.
            QVERIFY(!drop(view,
                          {dir.filePath(QStringLiteral("notes.txt")), dir.filePath(QStringLiteral("vdir"))}));
            // One that cannot be read adds nothing, also from the others dropped with it.
            QVERIFY(
                drop(view, {dir.filePath(QStringLiteral("vdir")), dir.filePath(QStringLiteral("gone.vcf"))}));
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages.value(0).startsWith(QStringLiteral("Cannot read the vCard file")) &&
                         m_messages.value(0).endsWith(
                             QStringLiteral("No such file or directory. Nothing was imported.")),
                     qPrintable(m_messages.value(0)));
            m_messages.clear();
            QCOMPARE(dlg.m_contacts.GetCount(), 1);

            // On the open Notebook's list: listed at once, in birthday order.
            QStringList shown;
            RunModal(
                dlg,
                [&](QWidget* w) {
                    QVERIFY(drop(Control<QListWidget>(dlg, IDC_NOTEBOOK_LIST)->viewport(),
                                 {dir.filePath(QStringLiteral("vdir"))}));
                    shown = ListTexts(dlg);
                    w->close();
                },
                [&] {
                    view->OnCmdMsg(ID_CLOCK_NOTEBOOK);
                    return 0;
                });
            QCOMPARE(shown, QStringList({QStringLiteral("01:01:1970"), QStringLiteral("05:03:1980"),
                                         QStringLiteral("21:07:1904")}));
            QCOMPARE(m_messages.size(), 1);
            QVERIFY2(m_messages.value(0).startsWith(
                         QStringLiteral("Added 2 contacts, skipped 1 (1 without a valid "
                                        "birthday).\n\"")) &&
                         m_messages.value(0).endsWith(
                             QStringLiteral("cy.VCF\": card 2 (Nobody) was skipped: the birthday "
                                            "\"soon\" is not a valid date.")),
                     qPrintable(m_messages.value(0)));
            m_messages.clear();
            app.OnAppExit();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        // The exit asked the application's loop to end, which would end every later modal loop
        // at once: one turn of it takes the request.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        CContactList saved; // at the end, as any other change
        QVERIFY(ContactBookFile().Load(&saved).IsLoaded());
        QCOMPARE(Names(saved),
                 QStringList({QStringLiteral("Cy"), QStringLiteral("Ann"), QStringLiteral("Bo")}));
    }

    void theClockOpensTheBookTheDocumentKeeps()
    {
        // One program run: a book on disk, "Clock > Notebook", one addition, exit.
        CurrentFolder dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir::setCurrent(dir.path()));
        CContactList onDisk;
        onDisk.Add(MakeContact("Bob", "", 1990, 7, 21, 12));
        QVERIFY(ContactBookFile().Save(onDisk).ok);
        {
            CQuillonApp app;
            QVERIFY(app.InitInstance());
            auto* doc = static_cast<CQuillonDoc*>(app.DocTemplate()->GetDocument());
            CQuillonView* view = doc->GetView();
            CNotebookDlg& dlg = view->m_notebookDlg;
            QStringList shown;
            RunModal(
                dlg,
                [&](QWidget* w) {
                    QCOMPARE(QApplication::activeModalWidget(), w);
                    shown = ListTexts(dlg);
                    FillForm(dlg, QStringLiteral("Ann"), QStringLiteral("Lee"), QDate(1980, 3, 5));
                    Click(dlg, IDC_NOTEBOOK_ADD);
                    w->close();
                },
                [&] {
                    view->OnCmdMsg(ID_CLOCK_NOTEBOOK);
                    return 0;
                });
            QCOMPARE(shown, QStringList{QStringLiteral("21:07:1990")});
            QCOMPARE(Names(*doc->GetContacts()), QStringList({QStringLiteral("Ann"), QStringLiteral("Bob")}));
            app.OnAppExit();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        CContactList saved;
        QVERIFY(ContactBookFile().Load(&saved).IsLoaded());
        QCOMPARE(Names(saved), QStringList({QStringLiteral("Ann"), QStringLiteral("Bob")}));
        QCOMPARE(saved[0].m_strLastName, CString("Lee"));
    }
};

QTEST_MAIN(NotebookDlgTest)
#include "NotebookDlgTest.moc"
