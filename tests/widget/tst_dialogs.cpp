// The dialog layer against a template of its own: geometry in dialog units, the modal loop,
// data exchange each way, validation and the user-only notifications.
#include "platform/framework/CButton.h"
#include "platform/framework/CDataExchange.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CListBox.h"
#include "platform/framework/CListCtrl.h"
#include "platform/framework/CSliderCtrl.h"
#include "platform/framework/CSpinButtonCtrl.h"
#include "platform/framework/CStatic.h"
#include "platform/framework/Cursor.h"
#include "platform/framework/DialogUnits.h"
#include "platform/framework/MessageBox.h"
#include "platform/framework/Resources.h"
#include "tests/support/DialogHarness.h"
#include "tests/support/ScopedHook.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <functional>
#include <vector>

namespace {
using testsupport::Control;
using testsupport::HighlightedPixels;
using testsupport::RunModal;

constexpr UINT kTemplate = 9001;
constexpr UINT kCursorId = 9002;

void RegisterTestTemplate()
{
    using K = DialogItemKind;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        kTemplate,
        "Test",
        220,
        140,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            {IDOK, K::DefPushButton, "OK", 10, 10, 50, 14},
            {IDCANCEL, K::PushButton, "Cancel", 10, 26, 50, 14},
            {1001, K::Edit, "", 70, 10, 60, 12, ES_AUTOHSCROLL},
            {1002, K::RichEdit, "", 70, 26, 80, 40, ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL},
            {1003, K::CheckBox, "Check", 10, 44, 40, 10},
            {1004, K::Trackbar, "", 10, 70, 100, 15, TBS_AUTOTICKS | WS_TABSTOP},
            {1005, K::DateTimePicker, "", 10, 90, 60, 13, DTS_SHORTDATEFORMAT | WS_TABSTOP},
            {1006, K::DateTimePicker, "", 80, 90, 60, 13, DTS_TIMEFORMAT | WS_TABSTOP},
            {1007, K::ListBox, "", 160, 10, 50, 40, LBS_NOTIFY | WS_VSCROLL},
            {1008, K::Edit, "", 160, 60, 20, 12, ES_READONLY | ES_AUTOHSCROLL},
            {1009, K::UpDown, "", 180, 60, 11, 12, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
            {1010, K::ListView, "", 160, 80, 50, 40, LVS_SMALLICON | LVS_SINGLESEL},
            {1011, K::Static, "Link", 10, 110, 40, 10, SS_NOTIFY},
            {1012, K::Edit, "", 70, 110, 30, 12},
            {1013, K::PushButton, "Add", 110, 110, 40, 14},
            {1020, K::RadioButton, "R1", 10, 125, 10, 10, WS_GROUP | WS_TABSTOP | BS_FLAT},
            {1021, K::RadioButton, "R2", 25, 125, 10, 10, WS_TABSTOP},
            {-1, K::Static, "a label closes the group", 40, 125, 40, 8},
            {1022, K::RadioButton, "R3", 85, 125, 10, 10},
            {1023, K::RadioButton, "R4", 100, 125, 10, 10},
            {1014, K::Static, "a value cut short", 150, 125, 30, 8},
        },
    });
}

class CTestLink : public CStatic
{
public:
    void OnLButtonDown(UINT flags, CPoint point) override
    {
        ++presses;
        CStatic::OnLButtonDown(flags, point);
    }
    BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override
    {
        if (!cursor)
            return CStatic::OnSetCursor(wnd, hitTest, message);
        SetCursor(cursor);
        return TRUE;
    }
    int presses = 0;
    HCURSOR cursor = nullptr;
};

class CTestDlg : public CDialog
{
public:
    CTestDlg() : CDialog(kTemplate)
    {
        ON_BN_CLICKED(1013, &CTestDlg::OnAdd);
        ON_BN_CLICKED(1003, &CTestDlg::OnCheckClicked);
        ON_LBN_SELCHANGE(1007, &CTestDlg::OnSelChange);
        ON_LVN_ITEMCHANGED(1010, &CTestDlg::OnItemChanged);
        ON_NM_CLICK(1010, &CTestDlg::OnClickList);
        ON_STN_CLICKED(1011, &CTestDlg::OnLinkClicked);
        ON_BN_CLICKED(1021, &CTestDlg::OnRadio2);
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, 1007, m_list);
        DDX_Control(pDX, 1009, m_spin);
        DDX_Control(pDX, 1010, m_view);
        DDX_Control(pDX, 1004, m_slider);
        DDX_Control(pDX, 1011, m_link);
        DDX_Control(pDX, 1003, m_checkBox);
        for (int i = 0; i < 4; ++i)
            DDX_Control(pDX, 1020 + i, m_radios[i]);
        DDX_Text(pDX, 1001, m_text);
        DDX_Text(pDX, 1002, m_note);
        DDX_Check(pDX, 1003, m_check);
        DDX_Slider(pDX, 1004, m_position);
        DDX_DateTimeCtrl(pDX, 1005, m_date);
        DDX_DateTimeCtrl(pDX, 1006, m_time);
        DDX_LBString(pDX, 1007, m_selection);
        DDX_Text(pDX, 1008, m_hours);
        DDV_MinMaxInt(pDX, m_hours, 0, 12);
        DDX_Text(pDX, 1012, m_number);
    }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endAtInit)
            EndDialog(IDOK);
        m_list.ResetContent();
        for (const char* entry : {"05:03:1980", "07:12:1981", "07:12:1990"})
            m_list.InsertString(-1, entry);
        m_spin.SetRange(1, 12);
        UpdateData(FALSE);
        return TRUE;
    }

    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override
    {
        scrolls.push_back({code, pos, scrollBar});
        CDialog::OnHScroll(code, pos, scrollBar);
    }
    void OnClose() override
    {
        ++closes;
        CDialog::OnClose();
    }
    void OnAdd() { ++adds; }
    void OnCheckClicked() { ++checkClicks; }
    void OnSelChange() { ++selChanges; }
    void OnItemChanged() { ++itemChanges; }
    void OnClickList() { ++listClicks; }
    void OnLinkClicked() { ++linkClicks; }
    void OnRadio2() { ++radioClicks; }

    CListBox m_list;
    CSpinButtonCtrl m_spin;
    CListCtrl m_view;
    CSliderCtrl m_slider;
    CButton m_checkBox;
    CButton m_radios[4]; // 1020 to 1023
    CTestLink m_link;
    CString m_text;
    CString m_note;
    int m_check = 0;
    int m_position = 0;
    COleDateTime m_date{1980, 3, 5, 13, 14, 15};
    CTime m_time{2030, 1, 2, 3, 4, 5};
    CString m_selection;
    int m_hours = 2;
    int m_number = 0;

    struct Scroll
    {
        UINT code;
        UINT pos;
        CWnd* from;
    };
    std::vector<Scroll> scrolls;
    bool endAtInit = false;
    int radioClicks = 0;
    int closes = 0, adds = 0, checkClicks = 0, selChanges = 0, itemChanges = 0, listClicks = 0,
        linkClicks = 0;
};

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { RegisterTestTemplate(); }
    void init() { testsupport::ForgetUnrunModalActions(); }
    void cleanup()
    {
        QCOMPARE(testsupport::UnrunModalActions(), 0);
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void mulDivRoundsLikeThePlatform()
    {
        QCOMPARE(platform::MulDiv(5, 3, 2), 8);   // 7.5 up
        QCOMPARE(platform::MulDiv(-5, 3, 2), -8); // away from zero
        QCOMPARE(platform::MulDiv(7, 1, 4), 2);
        QCOMPARE(platform::MulDiv(5, 1, 0), -1);
    }

    void controlsLandAtTheirDialogUnitRectangles()
    {
        CTestDlg dlg;
        QRect edit, window;
        QFont font;
        RunModal(dlg, [&](QWidget* w) {
            font = w->font();
            window = QRect(QPoint(), w->size());
            edit = dlg.GetDlgItem(1001)->GetSafeHwnd()->geometry();
        });
        QVERIFY(QFontInfo(font).family() != QLatin1String("MS Sans Serif"));
        QCOMPARE(QFontInfo(font).pointSize(), 8);
        QCOMPARE(edit, testsupport::DialogUnitPixels(font, 70, 10, 60, 12));
        QCOMPARE(window.size(), testsupport::DialogUnitPixels(font, 0, 0, 220, 140).size());
    }

    void enterTakesTheValuesAndEscapeDropsThem()
    {
        CTestDlg dlg;
        dlg.m_text = "before";
        int result = RunModal(dlg, [&](QWidget*) {
            auto* edit = Control<QLineEdit>(dlg, 1001);
            edit->setFocus();
            edit->end(false);
            QTest::keyClicks(edit, QStringLiteral(" typed"));
            QTest::keyClick(edit, Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(dlg.m_text, CString("before typed"));
        QVERIFY(!dlg.GetSafeHwnd());

        result = RunModal(dlg, [&](QWidget*) {
            auto* edit = Control<QLineEdit>(dlg, 1001);
            QCOMPARE(edit->text(), QStringLiteral("before typed")); // a fresh window, the member pushed
            QTest::keyClicks(edit, QStringLiteral("x"));
            QTest::keyClick(edit, Qt::Key_Escape);
        });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(dlg.m_text, CString("before typed"));
    }

    void enterInAWantReturnFieldIsANewLine()
    {
        CTestDlg dlg;
        dlg.m_note = "one\r\ntwo";
        const int result = RunModal(dlg, [&](QWidget* w) {
            auto* note = Control<QPlainTextEdit>(dlg, 1002);
            QCOMPARE(note->toPlainText(), QStringLiteral("one\ntwo"));
            note->setFocus();
            note->moveCursor(QTextCursor::End);
            QTest::keyClick(note, Qt::Key_Return);
            QTest::keyClicks(note, QStringLiteral("three"));
            QVERIFY(w->isVisible());
            QTest::mouseClick(Control<QPushButton>(dlg, IDOK), Qt::LeftButton);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(dlg.m_note, CString("one\r\ntwo\r\nthree"));
    }

    void theCloseBoxIsTheCancelPath()
    {
        CTestDlg dlg;
        const int result = RunModal(dlg, [&](QWidget* w) { w->close(); });
        QCOMPARE(result, int(IDCANCEL));
        QCOMPARE(dlg.closes, 1);
    }

    void timersKeepFiringInsideTheModalLoop()
    {
        CTestDlg dlg;
        int ticks = 0;
        QTimer timer;
        connect(&timer, &QTimer::timeout, &timer, [&] {
            if (++ticks == 3)
                dlg.EndDialog(IDOK);
        });
        timer.start(5);
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QCOMPARE(ticks, 3);
    }

    void eachOpeningIsAFreshWindow()
    {
        CTestDlg dlg;
        QPointer<QWidget> first;
        RunModal(dlg, [&](QWidget* w) {
            first = w;
            QTest::keyClick(Control<QSlider>(dlg, 1004), Qt::Key_Right);
            QTest::keyClick(w, Qt::Key_Return);
        });
        QVERIFY(first.isNull());
        QCOMPARE(dlg.m_position, 1);
        RunModal(dlg, [&](QWidget* w) {
            QVERIFY(w != first.data());
            QCOMPARE(Control<QSlider>(dlg, 1004)->value(), 1);
            QCOMPARE(dlg.m_slider.GetPos(), 1);
        });
        QVERIFY(!dlg.m_slider.GetSafeHwnd());
    }

    void valuesRoundTripThroughEachKindOfControl()
    {
        CTestDlg dlg;
        dlg.m_check = 1;
        dlg.m_position = 7;
        dlg.m_selection = "07";
        int result = RunModal(dlg, [&](QWidget* w) {
            QVERIFY(Control<QCheckBox>(dlg, 1003)->isChecked());
            QCOMPARE(Control<QSlider>(dlg, 1004)->value(), 7);
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1005)->date(), QDate(1980, 3, 5));
            QCOMPARE(Control<QDateTimeEdit>(dlg, 1006)->time(), QTime(3, 4, 5));
            QCOMPARE(dlg.m_list.GetCurSel(), 1); // the first entry that begins with "07"
            Control<QDateTimeEdit>(dlg, 1005)->setDate(QDate(1999, 12, 31));
            Control<QDateTimeEdit>(dlg, 1006)->setTime(QTime(22, 30, 0));
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(dlg.m_check, 1);
        QCOMPARE(dlg.m_position, 7);
        QCOMPARE(dlg.m_selection, CString("07:12:1981"));
        // The date picker keeps the time of day it was given, the time picker the date.
        QCOMPARE(dlg.m_date.GetYear(), 1999);
        QCOMPARE(dlg.m_date.GetDay(), 31);
        QCOMPARE(dlg.m_date.GetHour(), 13);
        QCOMPARE(dlg.m_date.GetSecond(), 15);
        QCOMPARE(dlg.m_time.GetYear(), 2030);
        QCOMPARE(dlg.m_time.GetHour(), 22);
        QCOMPARE(dlg.m_time.GetMinute(), 30);

        dlg.m_selection = "zz";
        dlg.m_check = 0;
        result = RunModal(dlg, [&](QWidget* w) {
            QCOMPARE(dlg.m_list.GetCurSel(), LB_ERR);
            QVERIFY(!Control<QCheckBox>(dlg, 1003)->isChecked());
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(dlg.m_selection, CString(""));
    }

    void unchangedBytesSurviveTheRoundTrip()
    {
        CTestDlg dlg;
        dlg.m_text = CString(std::string("caf\xE9", 4)); // not UTF-8
        RunModal(dlg, [&](QWidget* w) { QTest::keyClick(w, Qt::Key_Return); });
        QCOMPARE(dlg.m_text.Bytes(), std::string("caf\xE9", 4));
    }

    void aFailedValidationKeepsTheDialogOpen()
    {
        std::vector<CString> messages;
        const testsupport::ScopedMessageBoxHandler boxes{[&](const CString& text, UINT) {
            messages.push_back(text);
            return int(IDOK);
        }};
        CTestDlg dlg;
        const int result = RunModal(dlg, [&](QWidget* w) {
            auto* hours = Control<QLineEdit>(dlg, 1008);
            hours->setText(QStringLiteral("13"));
            QTest::keyClick(w, Qt::Key_Return);
            QVERIFY(w->isVisible());
            QCOMPARE(w->focusWidget(), static_cast<QWidget*>(hours));
            hours->setText(QStringLiteral("1x"));
            QTest::mouseClick(Control<QPushButton>(dlg, IDOK), Qt::LeftButton);
            QVERIFY(w->isVisible());
            hours->setText(QStringLiteral(" 12 "));
            QTest::keyClick(w, Qt::Key_Return);
        });
        QCOMPARE(result, int(IDOK));
        QCOMPARE(dlg.m_hours, 12);
        QCOMPARE(messages.size(), std::size_t(2));
        QCOMPARE(messages[0], CString("Please enter an integer between 0 and 12."));
        QCOMPARE(messages[1], CString("Please enter an integer."));
    }

    void notificationsComeFromTheUserOnly()
    {
        CTestDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            // Code first: values pushed and set send nothing.
            dlg.m_check = 1;
            dlg.m_position = 40;
            dlg.m_selection = "05";
            dlg.UpdateData(FALSE);
            dlg.m_list.SetCurSel(2);
            dlg.m_slider.SetPos(3);
            dlg.m_checkBox.SetCheck(0);
            dlg.m_view.InsertItem(0, "a");
            dlg.m_view.InsertItem(1, "b");
            dlg.m_view.InsertItem(2, "c");
            QCOMPARE(dlg.checkClicks + dlg.selChanges + dlg.itemChanges + int(dlg.scrolls.size()), 0);
            QCOMPARE(dlg.m_view.GetSelectionMark(), -1);

            QTest::mouseClick(Control<QPushButton>(dlg, 1013), Qt::LeftButton);
            QTest::mouseClick(Control<QCheckBox>(dlg, 1003), Qt::LeftButton);
            QCOMPARE(dlg.adds, 1);
            QCOMPARE(dlg.checkClicks, 1);

            auto* list = Control<QListWidget>(dlg, 1007);
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QCOMPARE(dlg.selChanges, 1);
            QCOMPARE(dlg.m_list.GetCurSel(), 0);

            auto* view = Control<QListWidget>(dlg, 1010);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                              view->visualItemRect(view->item(2)).center());
            QVERIFY(dlg.itemChanges >= 1);
            QCOMPARE(dlg.listClicks, 1);
            QCOMPARE(dlg.m_view.GetSelectionMark(), 2);
            QCOMPARE(dlg.m_view.GetItemText(2), CString("c"));
            const int changes = dlg.itemChanges;
            dlg.m_view.DeleteAllItems();
            QCOMPARE(dlg.m_view.GetSelectionMark(), -1);
            QCOMPARE(dlg.itemChanges, changes);

            QTest::keyClick(Control<QSlider>(dlg, 1004), Qt::Key_Right);
            QCOMPARE(dlg.scrolls.size(), std::size_t(1));
            QCOMPARE(dlg.scrolls[0].pos, 4u);
            QCOMPARE(dlg.scrolls[0].from, static_cast<CWnd*>(&dlg.m_slider));
            QCOMPARE(dlg.scrolls[0].from->GetDlgCtrlID(), 1004);
        });
    }

    void aNotifyingStaticTakesTheClickAndSetsTheCursor()
    {
        QTemporaryDir dir;
        QPixmap picture(32, 32);
        picture.fill(Qt::black);
        const QString path = dir.filePath(QStringLiteral("hand.png"));
        QVERIFY(picture.save(path));
        platform::ResourceRegistry::Instance().RegisterImage(kCursorId, path.toUtf8().constData(), 5, 0);
        CTestDlg dlg;
        dlg.m_link.cursor = AfxLoadCursor(kCursorId);
        QVERIFY(dlg.m_link.cursor);
        RunModal(dlg, [&](QWidget*) {
            auto* label = Control<QLabel>(dlg, 1011);
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(label, &enter);
            QCOMPARE(label->cursor().hotSpot(), QPoint(5, 0));
            QTest::mouseClick(label, Qt::LeftButton);
            QCOMPARE(dlg.m_link.presses, 1);
            QCOMPARE(dlg.linkClicks, 1); // the default processing told the dialog
        });
        QVERIFY(!AfxLoadCursor(kCursorId + 1)); // no such picture
    }

    void radioGroupsRunFromOneGroupItemToTheNext()
    {
        CTestDlg dlg;
        RunModal(dlg, [&](QWidget*) {
            auto button = [&](int id) { return &dlg.m_radios[id - 1020]; };
            button(1020)->SetCheck(1);
            button(1023)->SetCheck(1);
            QTest::mouseClick(button(1021)->GetSafeHwnd(), Qt::LeftButton);
            QCOMPARE(dlg.radioClicks, 1);
            QCOMPARE(button(1020)->GetCheck(), int(BST_UNCHECKED));
            QCOMPARE(button(1021)->GetCheck(), int(BST_CHECKED));
            QCOMPARE(button(1023)->GetCheck(), int(BST_CHECKED)); // another group
            QTest::mouseClick(button(1021)->GetSafeHwnd(), Qt::LeftButton);
            QCOMPARE(button(1021)->GetCheck(), int(BST_CHECKED)); // a second click keeps it
            button(1021)->SetCheck(0);                            // code may clear the whole group
            QCOMPARE(button(1020)->GetCheck() + button(1021)->GetCheck(), 0);
            QCOMPARE(dlg.radioClicks, 2);
        });
    }

    void endingInOnInitDialogNeverShowsTheWindow()
    {
        CTestDlg dlg;
        dlg.endAtInit = true;
        QCOMPARE(dlg.DoModal(), int(IDOK));
        QVERIFY(!dlg.GetSafeHwnd());
    }

    void theSpinStepsItsBuddyWithinTheRange()
    {
        CTestDlg dlg;
        dlg.m_hours = 11;
        RunModal(dlg, [&](QWidget*) {
            auto* updown = dlg.m_spin.GetSafeHwnd();
            auto* up = updown->findChild<QToolButton*>(QStringLiteral("up"));
            auto* down = updown->findChild<QToolButton*>(QStringLiteral("down"));
            auto* hours = Control<QLineEdit>(dlg, 1008);
            QCOMPARE(dlg.m_spin.GetBuddy(), dlg.GetDlgItem(1008));
            QTest::mouseClick(up, Qt::LeftButton);
            QCOMPARE(hours->text(), QStringLiteral("12"));
            QTest::mouseClick(up, Qt::LeftButton);
            QCOMPARE(hours->text(), QStringLiteral("12")); // no wrap
            dlg.m_spin.SetPos(2);
            QTest::keyClick(hours, Qt::Key_Down);
            QTest::mouseClick(down, Qt::LeftButton);
            QCOMPARE(hours->text(), QStringLiteral("1"));
            QCOMPARE(dlg.m_spin.GetPos(), 1);
            dlg.m_spin.EnableWindow(FALSE);
            QTest::mouseClick(up, Qt::LeftButton);
            QCOMPARE(hours->text(), QStringLiteral("1"));
        });
    }

    // A notify list box reports every click on an entry, also on the entry already selected
    // (the one data exchange picked on opening), and none on the empty space below them. A
    // selection removed by code is not reported and is gone from what the screen shows (the
    // real-display reminder test shows the repaint where no focus change forces one).
    void aNotifyListReportsEveryClickAndShowsCodeChanges()
    {
        CTestDlg dlg;
        int highlightedBefore = -1, highlightedAfter = -1;
        RunModal(dlg, [&](QWidget*) {
            auto* list = Control<QListWidget>(dlg, 1007);
            const auto click = [&](int row) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  row < 0 ? QPoint(5, list->viewport()->height() - 2)
                                          : list->visualItemRect(list->item(row)).center());
            };
            QCOMPARE(dlg.m_list.GetCurSel(), 0); // "" matches the first entry
            click(0);
            QCOMPARE(dlg.selChanges, 1);
            click(1);
            QCOMPARE(dlg.selChanges, 2);
            click(1);
            QCOMPARE(dlg.selChanges, 3);
            QCOMPARE(dlg.m_list.GetCurSel(), 1);
            click(-1);
            QCOMPARE(dlg.selChanges, 3);
            QCOMPARE(dlg.m_list.GetCurSel(), 1);

            QTRY_VERIFY((highlightedBefore = HighlightedPixels(list)) > 0);
            dlg.m_list.SetCurSel(-1);
            QCOMPARE(dlg.selChanges, 3); // the program's own change is not reported
            QTest::qWait(100);           // time for a paint, were one coming
            highlightedAfter = HighlightedPixels(list);
        });
        QVERIFY(highlightedBefore > 0);
        QCOMPARE(highlightedAfter, 0);
    }

    // A static ignores the mouse, so that it never takes a click meant for what lies beneath,
    // but one that carries a tooltip shows it when the pointer rests on it.
    void aStaticShowsItsTooltipOnHover()
    {
        CTestDlg dlg;
        QString shown;
        bool transparentWithout = false, transparentWith = true;
        RunModal(dlg, [&](QWidget*) {
            auto* label = Control<QLabel>(dlg, 1014);
            transparentWithout = label->testAttribute(Qt::WA_TransparentForMouseEvents);
            label->setToolTip(QStringLiteral("a value cut short, shown whole"));
            transparentWith = label->testAttribute(Qt::WA_TransparentForMouseEvents);
            QTest::mouseMove(label, QPoint(3, 3));
            QTest::mouseMove(label, label->rect().center());
            QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 5000);
            shown = QToolTip::text();
            QToolTip::hideText();
        });
        QVERIFY(transparentWithout);
        QVERIFY(!transparentWith);
        QCOMPARE(shown, QStringLiteral("a value cut short, shown whole"));
    }

    // A date-time picker is one tab stop: Tab leaves it for the next control, the arrow keys
    // move between its fields. An edit filled by code shows the start of its text.
    void keysMoveAsThePlatformsControlsDo()
    {
        CTestDlg dlg;
        dlg.m_text = "+44 20 7946 0000 and a good deal more than the field can show";
        RunModal(dlg, [&](QWidget*) {
            auto* date = Control<QDateTimeEdit>(dlg, 1005);
            date->setFocus(Qt::TabFocusReason);
            QTRY_VERIFY(date->hasFocus());
            const int first = date->currentSectionIndex();
            QTest::keyClick(date, Qt::Key_Right);
            QCOMPARE(date->currentSectionIndex(), first + 1);
            QTest::keyClick(date, Qt::Key_Left);
            QCOMPARE(date->currentSectionIndex(), first);
            QTest::keyClick(date, Qt::Key_Tab);
            QTRY_VERIFY(Control<QWidget>(dlg, 1006)->hasFocus());
            QTest::keyClick(Control<QWidget>(dlg, 1006), Qt::Key_Backtab);
            QTRY_VERIFY(date->hasFocus());

            auto* edit = Control<QLineEdit>(dlg, 1001);
            QCOMPARE(edit->cursorPosition(), 0);
            QVERIFY(edit->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < edit->width() / 2);
        });
    }

    // The program may delete a dialog from a timer while the dialog runs: its window goes with
    // it, the loop returns and nothing of the deleted object is touched afterwards (the
    // sanitizer run sees any use after free).
    void aDialogDeletedWhileItRunsTakesItsWindowAlong()
    {
        auto* dlg = new CTestDlg;
        QPointer<QWidget> window;
        bool shown = false, owned = true;
        int adds = 0;
        QTimer::singleShot(0, qApp, [&] {
            window = dlg->GetSafeHwnd();
            shown = window && window->isVisible();
            owned = window && window->parent(); // the dialog alone owns it
            QTest::mouseClick(Control<QPushButton>(*dlg, 1013), Qt::LeftButton);
            adds = dlg->adds;
            delete dlg;
        });
        QCOMPARE(dlg->DoModal(), -1);
        QVERIFY(shown);
        QVERIFY(!owned);
        QCOMPARE(adds, 1);
        QVERIFY(window.isNull());
    }

    // A control the code names and the template lacks is a programming error: said on
    // stderr, and the dialog ends before it shows rather than run with a member unbound.
    void aControlMissingFromTheTemplateEndsTheDialog()
    {
        struct CMissingDlg : CTestDlg
        {
            void DoDataExchange(CDataExchange* pDX) override
            {
                CTestDlg::DoDataExchange(pDX);
                DDX_Control(pDX, 4242, m_missing);
            }
            CStatic m_missing;
        } dlg;
        bool shown = false;
        QTimer::singleShot(0, qApp, [&] { shown = dlg.GetSafeHwnd() != nullptr; });
        QTest::ignoreMessage(QtCriticalMsg,
                             "Dialog template 9001 has no control 4242 for the dialog's data exchange");
        QCOMPARE(dlg.DoModal(), -1);
        QCoreApplication::processEvents();
        QVERIFY(!shown);
        QVERIFY(!dlg.m_missing.GetSafeHwnd());
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
