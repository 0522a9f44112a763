#pragma once

#include "data/CContactList.h"
#include "platform/framework/CButton.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CEdit.h"
#include "platform/framework/CListBox.h"
#include "platform/framework/CSpinButtonCtrl.h"
#include "platform/framework/CStatic.h"

// The birthday reminder: whose birthday is today and tomorrow, the details of the entry
// picked, and when (or whether) the view scans again. The view fills the two lists.
class CHolidaysDlg : public CDialog
{
public:
    explicit CHolidaysDlg(CWnd* parent = nullptr);

    CContactList m_todayContacts;
    CContactList m_tomorrowContacts;
    CButton m_dontNotifyCheck;
    CSpinButtonCtrl m_hoursSpin;
    CStatic m_hoursAgoLabel;
    CStatic m_rememberLabel;
    CEdit m_hoursEdit;
    CListBox m_tomorrowList;
    CListBox m_todayList;
    CString m_todaySelection;
    CString m_firstName;
    CString m_lastName;
    CString m_tel;
    CString m_eMail;
    CString m_text;
    int m_dontNotify = 0;
    int m_remindHours = 2;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnSelChangeTodayList();
    void OnSelChangeTomorrowList();
    void OnDontNotifyClicked();

private:
    void ShowDetails(const CContact& contact);
    void EnableHoursLine(BOOL enable);
};
