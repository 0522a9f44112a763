#pragma once

#include <functional>
#include <iosfwd>
#include <string>

class CContactList;

// The contact book written where other programs keep contacts and birthdays. Both read the
// book only, and return the program's exit status: 0 when they did their work, 1 when they
// did not, with the reason on err.

// Writes each contact as a vCard 3.0 to folder/UID.vcf (the "vdir" of khard and vdirsyncer),
// each file atomically, creating the folder when it is missing. A file that already holds the
// very card is left untouched, so a second export of an unchanged book writes nothing; no file
// is ever deleted. Says on out how many cards were written and how many were left as they were.
int ExportVdir(const std::string& folder, const std::string& bookPath, std::ostream& out, std::ostream& err);

// Reads the book and writes what `write` makes of it to out, as every export to standard
// output does: a book that cannot be read exports nothing, a failed write is an error.
int ExportBook(const std::string& bookPath, std::ostream& out, std::ostream& err,
               const std::function<std::string(const CContactList&)>& write);

// Writes the book's birthdays to out as iCalendar 2.0 (see data/BirthdayCalendar.h).
int ExportBirthdayCalendar(const std::string& bookPath, std::ostream& out, std::ostream& err);
