#pragma once

#include "data/CContact.h"
#include "data/CContactList.h"
#include "dialogs/VCardDropTarget.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CListCtrl.h"
#include "platform/framework/COleDateTime.h"
#include "platform/framework/CString.h"

// The contact editor, and the home of the program's one contact list. The object lives as
// long as the view; each opening lists every contact and starts with an empty form.
class CNotebookDlg : public CDialog
{
public:
    explicit CNotebookDlg(CWnd* parent = nullptr);

    CContact m_newContact; // the form as "Add" is about to store it
    CContactList m_contacts;
    CListCtrl m_birthdayList;
    CString m_eMail;
    CString m_firstName;
    CString m_lastName;
    CString m_tel;
    CString m_text;
    COleDateTime m_birthday;
    // Adds dropped vCard files and folders to m_contacts; set by the application. While the
    // dialog is open, what it adds is listed at once.
    VCardDropTarget::Handler m_importDropped;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnAdd();
    void OnDelete();
    void OnClickBirthdayList();
    void OnItemChangedBirthdayList();

private:
    void ShowPickedContact();
    void RebuildBirthdayList();
    void ClearForm();

    VCardDropTarget m_dropTarget;
};
