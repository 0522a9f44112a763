#include "tests/support/Contacts.h"

namespace testsupport {

CContact MakeContact(const char* first, const char* last, int year, int month, int day, int hour, int minute)
{
    CContact contact;
    contact.m_strFirstName = first;
    contact.m_strLastName = last;
    contact.m_dtBirthday = COleDateTime(year, month, day, hour, minute, 0);
    return contact;
}

} // namespace testsupport
