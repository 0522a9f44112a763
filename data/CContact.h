#pragma once

#include "platform/framework/COleDateTime.h"
#include "platform/framework/CString.h"

// One person in the notebook. A plain value: copying, assignment and destruction only; the
// rules about its contents live with the code that edits, stores and reads it.
class CContact
{
public:
    CString m_strText; // free note, lines separated by CR LF
    CString m_strFirstName;
    CString m_strLastName;
    CString m_strTel;
    CString m_strEMail;
    COleDateTime m_dtBirthday; // only day, month and year are ever read
};
