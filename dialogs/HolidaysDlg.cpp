#include "dialogs/HolidaysDlg.h"

#include "data/BirthdayNotice.h"
#include "data/NotebookRules.h"
#include "platform/framework/CDataExchange.h"
#include "res/HolidaysTemplate.h"
#include "res/Resource.h"

namespace {
void FillList(CListBox& list, const CContactList& contacts)
{
    list.ResetContent();
    for (const CContact& contact : contacts) {
        const CString date = FormatBirthdayText(contact.m_dtBirthday);
        // The entry shows the date; a listener also hears whose birthday it is.
        list.SetItemAccessibleText(list.InsertString(-1, date),
                                   ContactDisplayName(contact) + CString(", ") + date);
    }
}
} // namespace

CHolidaysDlg::CHolidaysDlg(CWnd* parent) : CDialog(IDD_HOLIDAYS, parent)
{
    ON_LBN_SELCHANGE(IDC_HOLIDAYS_TODAY, &CHolidaysDlg::OnSelChangeTodayList);
    ON_LBN_SELCHANGE(IDC_HOLIDAYS_TOMORROW, &CHolidaysDlg::OnSelChangeTomorrowList);
    ON_BN_CLICKED(IDC_HOLIDAYS_DONT_NOTIFY, &CHolidaysDlg::OnDontNotifyClicked);
}

void CHolidaysDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_HOLIDAYS_DONT_NOTIFY, m_dontNotifyCheck);
    DDX_Control(pDX, IDC_HOLIDAYS_HOURS_SPIN, m_hoursSpin);
    DDX_Control(pDX, IDC_HOLIDAYS_HOURS_AGO, m_hoursAgoLabel);
    DDX_Control(pDX, IDC_HOLIDAYS_REMEMBER, m_rememberLabel);
    DDX_Control(pDX, IDC_HOLIDAYS_HOURS, m_hoursEdit);
    DDX_Control(pDX, IDC_HOLIDAYS_TOMORROW, m_tomorrowList);
    DDX_Control(pDX, IDC_HOLIDAYS_TODAY, m_todayList);
    DDX_LBString(pDX, IDC_HOLIDAYS_TODAY, m_todaySelection);
    DDX_Text(pDX, IDC_HOLIDAYS_FIRST_NAME, m_firstName);
    DDX_Text(pDX, IDC_HOLIDAYS_LAST_NAME, m_lastName);
    DDX_Text(pDX, IDC_HOLIDAYS_TEL, m_tel);
    DDX_Text(pDX, IDC_HOLIDAYS_EMAIL, m_eMail);
    DDX_Text(pDX, IDC_HOLIDAYS_TEXT, m_text);
    DDX_Check(pDX, IDC_HOLIDAYS_DONT_NOTIFY, m_dontNotify);
    DDX_Text(pDX, IDC_HOLIDAYS_HOURS, m_remindHours);
    DDV_MinMaxInt(pDX, m_remindHours, 0, 12);
}

BOOL CHolidaysDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillList(m_todayList, m_todayContacts);
    FillList(m_tomorrowList, m_tomorrowContacts);
    // Said as the reminder takes the focus: the same words as the desktop notification.
    SetAccessibleDescription(BirthdayNoticeBody(m_todayContacts, m_tomorrowContacts));
    m_hoursSpin.SetRange(1, 12);
    UpdateData(FALSE);
    // A box shown ticked also shows the hours line greyed, as a click on it would.
    EnableHoursLine(m_dontNotify == 0);
    return TRUE;
}

void CHolidaysDlg::ShowDetails(const CContact& contact)
{
    m_firstName = contact.m_strFirstName;
    m_lastName = contact.m_strLastName;
    m_tel = contact.m_strTel;
    m_eMail = contact.m_strEMail;
    m_text = contact.m_strText;
}

void CHolidaysDlg::OnSelChangeTodayList()
{
    const int index = m_todayList.GetCurSel();
    if (index == LB_ERR || index >= m_todayContacts.GetCount())
        return;
    ShowDetails(m_todayContacts[index]);
    m_tomorrowList.SetCurSel(-1);
    // The push also puts the stored hours back in the field, dropping an unconfirmed change.
    UpdateData(FALSE);
    // It re-applies the stored "Today" text too; the entry just picked stays picked.
    m_todayList.SetCurSel(index);
}

void CHolidaysDlg::OnSelChangeTomorrowList()
{
    const int index = m_tomorrowList.GetCurSel();
    if (index == LB_ERR || index >= m_tomorrowContacts.GetCount())
        return;
    ShowDetails(m_tomorrowContacts[index]);
    UpdateData(FALSE);
    // The stored "Today" text would select an entry there again (an empty one matches the
    // first); only one list shows a pick at a time.
    m_todayList.SetCurSel(-1);
}

void CHolidaysDlg::OnDontNotifyClicked()
{
    if (m_dontNotify == 0) {
        m_dontNotify = 1;
        EnableHoursLine(FALSE);
    } else {
        m_dontNotify = 0;
        EnableHoursLine(TRUE);
    }
}

void CHolidaysDlg::EnableHoursLine(BOOL enable)
{
    m_rememberLabel.EnableWindow(enable);
    m_hoursAgoLabel.EnableWindow(enable);
    m_hoursEdit.EnableWindow(enable);
    m_hoursSpin.EnableWindow(enable);
}
