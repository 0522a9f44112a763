#include "platform/framework/CDataExchange.h"

#include "platform/framework/CButton.h"
#include "platform/framework/CDateTimeCtrl.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CListBox.h"
#include "platform/framework/CSliderCtrl.h"
#include "platform/framework/ControlText.h"
#include "platform/framework/MessageBox.h"

#include <QLineEdit>
#include <QPlainTextEdit>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

CDataExchange::CDataExchange(CDialog* dialog, bool saveAndValidate)
    : m_bSaveAndValidate(saveAndValidate ? TRUE : FALSE), m_pDlgWnd(dialog)
{}

QWidget* CDataExchange::PrepareCtrl(int id)
{
    m_lastControl = m_pDlgWnd->FindControl(id);
    m_lastIsEdit = false;
    if (!m_lastControl && m_pDlgWnd->GetSafeHwnd()) {
        // The code and its template disagree: a member left unbound would fail later and
        // quietly, so the dialog ends here and says why.
        m_pDlgWnd->ReportMissingControl(id);
        throw CUserException();
    }
    return m_lastControl;
}

QWidget* CDataExchange::PrepareEditCtrl(int id)
{
    PrepareCtrl(id);
    m_lastIsEdit = qobject_cast<QLineEdit*>(m_lastControl) || qobject_cast<QPlainTextEdit*>(m_lastControl);
    return m_lastControl;
}

void CDataExchange::Fail()
{
    if (m_lastControl) {
        m_lastControl->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(m_lastControl))
            edit->selectAll();
        else if (auto* multi = qobject_cast<QPlainTextEdit*>(m_lastControl))
            multi->selectAll();
    }
    throw CUserException();
}

namespace {
// The integer scan: blanks, an optional sign, digits, blanks; nothing else, and the value has
// to fit.
bool ScanInt(const std::string& text, int* out)
{
    const char* p = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    if (!*p)
        return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(p, &end, 10);
    if (end == p || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end)
        return false;
    *out = static_cast<int>(value);
    return true;
}

// One exchange with control id, seen as a Control for its length: pull (control to member)
// when saving, else push.
template <class Control, class Pull, class Push>
void Exchange(CDataExchange* pDX, int id, Pull pull, Push push, bool edit = false)
{
    QWidget* widget = edit ? pDX->PrepareEditCtrl(id) : pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Control control;
    control.Attach(widget, id, pDX->m_pDlgWnd);
    if (pDX->m_bSaveAndValidate)
        pull(control);
    else
        push(control);
}

template <class Time> void ExchangeTime(CDataExchange* pDX, int id, Time& value)
{
    Exchange<CDateTimeCtrl>(
        pDX, id, [&](CDateTimeCtrl& c) { c.GetTime(value); }, [&](CDateTimeCtrl& c) { c.SetTime(value); });
}
} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (widget && control.GetSafeHwnd() != widget)
        pDX->m_pDlgWnd->BindControl(id, control);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    Exchange<CWnd>(
        pDX, id, [&](CWnd& c) { value = platform::GetControlText(c.GetSafeHwnd()); },
        [&](CWnd& c) { c.SetWindowText(value); }, true);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    const auto pull = [&](CWnd& c) {
        if (!ScanInt(platform::GetControlText(c.GetSafeHwnd()).Bytes(), &value)) {
            AfxMessageBox(CString("Please enter an integer."));
            pDX->Fail();
        }
    };
    Exchange<CWnd>(
        pDX, id, pull, [&](CWnd& c) { c.SetWindowText(FormatString("%d", value)); }, true);
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    Exchange<CButton>(
        pDX, id, [&](CButton& c) { value = c.GetCheck(); }, [&](CButton& c) { c.SetCheck(value); });
}

void DDX_Slider(CDataExchange* pDX, int id, int& value)
{
    Exchange<CSliderCtrl>(
        pDX, id, [&](CSliderCtrl& c) { value = c.GetPos(); }, [&](CSliderCtrl& c) { c.SetPos(value); });
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, CTime& value)
{
    ExchangeTime(pDX, id, value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value)
{
    ExchangeTime(pDX, id, value);
}

void DDX_LBString(CDataExchange* pDX, int id, CString& value)
{
    const auto pull = [&](CListBox& list) {
        const int selected = list.GetCurSel();
        value = selected == LB_ERR ? CString() : list.GetText(selected);
    };
    const auto push = [&](CListBox& list) {
        if (list.SelectString(-1, value) == LB_ERR)
            list.SetCurSel(-1);
    };
    Exchange<CListBox>(pDX, id, pull, push);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum)
{
    // Out-of-range values pushed to the controls are the program's business, not the user's.
    if (!pDX->m_bSaveAndValidate || (value >= minimum && value <= maximum))
        return;
    AfxMessageBox(FormatString("Please enter an integer between %d and %d.", minimum, maximum),
                  MB_ICONEXCLAMATION);
    pDX->Fail();
}
