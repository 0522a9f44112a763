#pragma once

#include "data/BirthdayRules.h"
#include "data/CContact.h"
#include "platform/framework/CString.h"

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

// The command-line views of a contact book: they read the book, never write or create it,
// and need no display.
namespace bookcommands {

// Text from a book made safe for a terminal, one contact staying on one line: tab, CR, LF and
// backslash as \t \r \n \\, every other control character (C0, DEL, and C1 written in UTF-8)
// and every byte that is not part of valid UTF-8 as \xHH, one escape per byte.
std::string EscapeField(std::string_view bytes);
// Birthday text, first name, last name, tel, e-mail and note, tab-separated, no line end.
std::string FormatContactLine(const CContact& contact);
// A file name in a message: in double quotes, with its control characters escaped.
std::string Quote(std::string_view path);

// "YYYY-MM-DD" naming a real day, or nothing.
std::optional<CalendarDay> ParseDate(const std::string& text);
// The local date now, as the clock window reads it.
CalendarDay LocalToday();

// Opens path for reading only when it is a regular file, never waiting on a named pipe or a
// device. Returns the descriptor, or -1 with a sentence on what ("the contact book") and
// why in error; errno then tells why, ENOENT for a missing file.
int OpenRegularFile(const std::string& path, const char* what, std::string& error);

// Reads the book at path into contacts. False, with a sentence for the user, when the file is
// missing (unless missingIsEmpty), not a regular file, unreadable or damaged; the file is
// never changed, nor created.
bool ReadBook(const std::string& path, CContactList& contacts, std::string& error,
              bool missingIsEmpty = false);

// --list: every contact, one a line. Returns the process's exit code.
int ListContacts(const std::string& path, std::ostream& out, std::ostream& err);
// --birthdays: the contacts whose birthday is today and tomorrow under the headings "Today"
// and "Tomorrow", found as the clock window's scan finds them.
int PrintBirthdays(const std::string& path, const CalendarDay& today, std::ostream& out, std::ostream& err);

} // namespace bookcommands
