#include "data/BirthdayNotice.h"

#include "data/NotebookRules.h"

CString ContactDisplayName(const CContact& contact)
{
    CString name = contact.m_strFirstName;
    if (!contact.m_strLastName.IsEmpty()) {
        if (!name.IsEmpty())
            name += CString(" ");
        name += contact.m_strLastName;
    }
    return name.IsEmpty() ? FormatBirthdayText(contact.m_dtBirthday) : name;
}

namespace {

void AppendLine(CString& body, const char* heading, const CContactList& contacts)
{
    if (contacts.IsEmpty())
        return;
    if (!body.IsEmpty())
        body += CString("\n");
    body += CString(heading);
    const char* separator = ": ";
    for (const CContact& contact : contacts) {
        body += CString(separator) + ContactDisplayName(contact);
        separator = ", ";
    }
}
} // namespace

CString BirthdayNoticeBody(const CContactList& today, const CContactList& tomorrow)
{
    CString body;
    AppendLine(body, "Today", today);
    AppendLine(body, "Tomorrow", tomorrow);
    return body;
}
