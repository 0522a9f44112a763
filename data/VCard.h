#pragma once

#include "data/CContactList.h"
#include "platform/framework/CString.h"

#include <string>
#include <string_view>
#include <vector>

// Contacts as vCards: written as vCard 3.0, read from vCard 2.1, 3.0 and 4.0. A birthday is
// mandatory in the notebook, so a card without a usable BDAY is not turned into a contact.
namespace vcard {

// A birthday given without a year (--MMDD) is stored in this year: a leap year, so that
// 29 February is kept, and a year the date picker and the file both accept.
constexpr int kYearOfBirthdayWithoutYear = 1904;

// The book has no room for a card's UID, so each contact's is derived from what names it: a
// name-based UUID (version 5, SHA-1) of its first name, last name and date of birth. It stays
// the same while those do, whatever else changes. The nth contact (n > 1) of a book with the
// same names and date of birth gets the UUID of those and its number, so the UIDs of a book
// are all different.
std::string ContactUid(const CContact& contact, int occurrence = 1);
// The UIDs of every contact of the book, in list order.
std::vector<std::string> ContactUids(const CContactList& contacts);

// A birthday stored in kYearOfBirthdayWithoutYear has no known year: it is written as --MMDD.
bool IsBirthdayWithoutYear(const COleDateTime& birthday);

// One contact as a vCard 3.0 with CR LF line ends and lines folded at 75 octets. N, FN and
// UID are always written; TEL, EMAIL and NOTE only when not empty; BDAY only for a valid date.
std::string WriteCard(const CContact& contact, std::string_view uid);
// Every contact, each with its UID from ContactUids.
std::string WriteCards(const CContactList& contacts);

struct Problem
{
    int card = 0; // 1-based position of the card in the file
    CString text;
};

struct ReadResult
{
    CContactList contacts;         // the usable cards, in file order
    std::vector<std::string> uids; // the UID of each of them, empty when it has none
    int cards = 0;                 // every BEGIN:VCARD seen
    int withoutBirthday = 0;       // no BDAY, or one that is not a valid date
    int incomplete = 0;            // BEGIN:VCARD without its END:VCARD
    std::vector<Problem> problems; // why each skipped card was skipped
};

// Reads every card of a vCard file. Anything that is not a card is passed over; nothing in
// the input can make the reader fail. Of several phones or e-mail addresses the preferred one
// is kept (TYPE=pref, 2.1's PREF, or the lowest PREF=n), else the first. A vCard 2.1 AGENT's
// embedded card belongs to the card around it and is not read as a contact.
ReadResult ReadCards(std::string_view data);

// Reads a BDAY value: YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD, optionally followed by a time
// ("T..."), which is ignored. The result is invalid when the value names no valid date.
// A date without a year, or one whose year Apple's X-APPLE-OMIT-YEAR names (given as
// yearOmitted), is stored in kYearOfBirthdayWithoutYear.
COleDateTime ParseBirthday(std::string_view value, std::string_view yearOmitted = {});

} // namespace vcard
