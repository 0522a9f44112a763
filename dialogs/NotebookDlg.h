#pragma once

#include "data/CContact.h"
#include "data/CContactList.h"

// The contact editor, and the home of the program's one contact list.
class CNotebookDlg
{
public:
    CContact m_newContact;
    CContactList m_contacts;
};
