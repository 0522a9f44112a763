#pragma once

#include "data/CContactList.h"
#include "platform/framework/CString.h"

// The desktop notification that goes with a birthday reminder, so that it also reaches the
// desktop's notification history.
inline constexpr const char* kBirthdayNoticeSummary = "Birthdays";

// "Today: Ann Lee, Bo" and "Tomorrow: ..." on lines of their own, a line only for a list
// that has someone in it. A contact without a name is named by its birthday text.
CString BirthdayNoticeBody(const CContactList& today, const CContactList& tomorrow);

// "Ann Lee": first and last name; a contact without a name is named by its birthday text.
CString ContactDisplayName(const CContact& contact);
