#include "dialogs/NotebookDlg.h"

#include "data/NotebookRules.h"
#include "platform/framework/CDataExchange.h"
#include "platform/framework/GdiTypes.h"
#include "res/NotebookTemplate.h"
#include "res/Resource.h"

CNotebookDlg::CNotebookDlg(CWnd* parent)
    : CDialog(IDD_NOTEBOOK, parent), m_birthday(COleDateTime::GetCurrentTime()),
      m_dropTarget([this](const std::vector<std::string>& paths) {
          if (!m_importDropped)
              return;
          m_importDropped(paths);
          RebuildBirthdayList();
      })
{
    ON_BN_CLICKED(IDC_NOTEBOOK_ADD, &CNotebookDlg::OnAdd);
    ON_BN_CLICKED(IDC_NOTEBOOK_DELETE, &CNotebookDlg::OnDelete);
    ON_LVN_ITEMCHANGED(IDC_NOTEBOOK_LIST, &CNotebookDlg::OnItemChangedBirthdayList);
    ON_NM_CLICK(IDC_NOTEBOOK_LIST, &CNotebookDlg::OnClickBirthdayList);
}

void CNotebookDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    // Any text, including none, is a valid contact field: nothing is validated.
    DDX_Control(pDX, IDC_NOTEBOOK_LIST, m_birthdayList);
    DDX_Text(pDX, IDC_NOTEBOOK_EMAIL, m_eMail);
    DDX_Text(pDX, IDC_NOTEBOOK_FIRST_NAME, m_firstName);
    DDX_Text(pDX, IDC_NOTEBOOK_LAST_NAME, m_lastName);
    DDX_Text(pDX, IDC_NOTEBOOK_TEL, m_tel);
    DDX_Text(pDX, IDC_NOTEBOOK_TEXT, m_text);
    DDX_DateTimeCtrl(pDX, IDC_NOTEBOOK_BIRTHDAY, m_birthday);
}

BOOL CNotebookDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_importDropped)
        m_dropTarget.Watch(GetSafeHwnd());
    RebuildBirthdayList();
    // The form keeps its last values in the members, but every opening starts afresh.
    ClearForm();
    return TRUE;
}

void CNotebookDlg::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    m_newContact.m_strText = m_text;
    m_newContact.m_strFirstName = m_firstName;
    m_newContact.m_strLastName = m_lastName;
    m_newContact.m_strTel = m_tel;
    m_newContact.m_strEMail = m_eMail;
    m_newContact.m_dtBirthday = m_birthday;

    // An exact duplicate is refused without a word: the form is simply emptied.
    for (const CContact& stored : m_contacts) {
        if (IsSameContact(stored, m_newContact)) {
            ClearForm();
            return;
        }
    }
    m_contacts.Add(m_newContact);
    SortContactsByCalendarDay(m_contacts);
    RebuildBirthdayList();
    ClearForm();
}

void CNotebookDlg::OnDelete()
{
    const int picked = m_birthdayList.GetSelectionMark();
    UpdateData(TRUE);
    if (picked < 0 || picked >= m_contacts.GetCount())
        return;
    // No confirmation and no re-sort: the others keep their order.
    m_contacts.RemoveAt(picked);
    RebuildBirthdayList();
    ClearForm();
}

void CNotebookDlg::OnClickBirthdayList()
{
    ShowPickedContact();
}

void CNotebookDlg::OnItemChangedBirthdayList()
{
    ShowPickedContact();
}

void CNotebookDlg::ShowPickedContact()
{
    const int picked = m_birthdayList.GetSelectionMark();
    if (picked < 0 || picked >= m_contacts.GetCount())
        return;
    const CContact& contact = m_contacts[picked];
    m_text = contact.m_strText;
    m_firstName = contact.m_strFirstName;
    m_lastName = contact.m_strLastName;
    m_tel = contact.m_strTel;
    m_eMail = contact.m_strEMail;
    m_birthday = contact.m_dtBirthday;
    UpdateData(FALSE);
}

void CNotebookDlg::RebuildBirthdayList()
{
    // Rebuilt whole so that entry i is always contact i.
    m_birthdayList.DeleteAllItems();
    if (!m_contacts.IsEmpty())
        m_birthdayList.SetTextColor(RGB(0, 0, 255));
    for (int i = 0; i < m_contacts.GetCount(); ++i)
        m_birthdayList.InsertItem(LVIF_TEXT, i, FormatBirthdayText(m_contacts[i].m_dtBirthday), 0, 0, 0, 0);
}

void CNotebookDlg::ClearForm()
{
    m_text = "";
    m_firstName = "";
    m_lastName = "";
    m_tel = "";
    m_eMail = "";
    m_birthday = COleDateTime::GetCurrentTime();
    UpdateData(FALSE);
}
