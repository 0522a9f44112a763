#pragma once

#include <iosfwd>
#include <string>

// The contact book's vCard commands, run from the command line before any window exists.
// Each returns the program's exit status: 0 when it did its work, 1 when it did not, with
// the reason on err.

// Writes every contact of the book to out as vCard 3.0. A missing or damaged book is an
// error, and the book is never changed.
int ExportVCards(const std::string& bookPath, std::ostream& out, std::ostream& err);

// Appends the cards of vcfPath ("-" reads in) to the book as the Notebook's "Add" would, one
// by one: a card already in the book, or added earlier in the same import, is skipped, and
// the book ends in the order that sorting by calendar day after each added contact gives. The book is saved
// atomically and only when something was added. Refused while a running copy holds the book's lock, or when
// the book is damaged, which is then left as it is. Says on out how many were added and skipped, and on err
// why each skipped card was skipped.
int ImportVCards(const std::string& vcfPath, const std::string& bookPath, std::istream& in, std::ostream& out,
                 std::ostream& err);
