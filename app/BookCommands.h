#pragma once

#include "data/BirthdayRules.h"
#include "data/CContact.h"
#include "platform/framework/CString.h"

#include <optional>
#include <ostream>
#include <string>

// The command-line views of a contact book: they read the book, never write or create it,
// and need no display.
namespace bookcommands {

// Tab, CR, LF and backslash as \t \r \n \\, so that one contact stays on one line.
std::string EscapeField(const CString& field);
// Birthday text, first name, last name, tel, e-mail and note, tab-separated, no line end.
std::string FormatContactLine(const CContact& contact);

// "YYYY-MM-DD" naming a real day, or nothing.
std::optional<CalendarDay> ParseDate(const std::string& text);
// The local date now, as the clock window reads it.
CalendarDay LocalToday();

// Reads the book at path into contacts. False, with a message, when the file is missing,
// unreadable or damaged; the file is left as it was.
bool ReadBook(const std::string& path, CContactList& contacts, std::string& error);

// --list: every contact, one a line. Returns the process's exit code.
int ListContacts(const std::string& path, std::ostream& out, std::ostream& err);
// --birthdays: the contacts whose birthday is today and tomorrow under the headings "Today"
// and "Tomorrow", found as the clock window's scan finds them.
int PrintBirthdays(const std::string& path, const CalendarDay& today, std::ostream& out, std::ostream& err);

} // namespace bookcommands
