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
// A temporary wrapper for one exchange with a control the dialog has no member for.
template <class Control> struct Temporary
{
    Temporary(CDataExchange* pDX, QWidget* widget, int id) { control.Attach(widget, id, pDX->m_pDlgWnd); }
    Control control;
};

// The framework's integer scan: blanks, an optional sign, digits, blanks; nothing else, and
// the value has to fit.
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
} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (widget && control.GetSafeHwnd() != widget)
        pDX->m_pDlgWnd->BindControl(id, control);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value)
{
    QWidget* widget = pDX->PrepareEditCtrl(id);
    if (!widget)
        return;
    if (pDX->m_bSaveAndValidate)
        value = platform::GetControlText(widget);
    else
        platform::SetControlText(widget, value);
}

void DDX_Text(CDataExchange* pDX, int id, int& value)
{
    QWidget* widget = pDX->PrepareEditCtrl(id);
    if (!widget)
        return;
    if (!pDX->m_bSaveAndValidate) {
        platform::SetControlText(widget, FormatString("%d", value));
        return;
    }
    int parsed = 0;
    if (!ScanInt(platform::GetControlText(widget).Bytes(), &parsed)) {
        AfxMessageBox(CString("Please enter an integer."));
        pDX->Fail();
    }
    value = parsed;
}

void DDX_Check(CDataExchange* pDX, int id, int& value)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Temporary<CButton> button(pDX, widget, id);
    if (pDX->m_bSaveAndValidate)
        value = button.control.GetCheck();
    else
        button.control.SetCheck(value);
}

void DDX_Slider(CDataExchange* pDX, int id, int& value)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Temporary<CSliderCtrl> slider(pDX, widget, id);
    if (pDX->m_bSaveAndValidate)
        value = slider.control.GetPos();
    else
        slider.control.SetPos(value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, CTime& value)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Temporary<CDateTimeCtrl> picker(pDX, widget, id);
    if (pDX->m_bSaveAndValidate)
        picker.control.GetTime(value);
    else
        picker.control.SetTime(value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Temporary<CDateTimeCtrl> picker(pDX, widget, id);
    if (pDX->m_bSaveAndValidate)
        picker.control.GetTime(value);
    else
        picker.control.SetTime(value);
}

void DDX_LBString(CDataExchange* pDX, int id, CString& value)
{
    QWidget* widget = pDX->PrepareCtrl(id);
    if (!widget)
        return;
    Temporary<CListBox> list(pDX, widget, id);
    if (pDX->m_bSaveAndValidate) {
        const int selected = list.control.GetCurSel();
        value = selected == LB_ERR ? CString() : list.control.GetText(selected);
    } else if (list.control.SelectString(-1, value) == LB_ERR) {
        list.control.SetCurSel(-1);
    }
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
