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

// One contact as a vCard 3.0 with CR LF line ends and lines folded at 75 octets. N and FN
// are always written; TEL, EMAIL and NOTE only when not empty; BDAY only for a valid date.
std::string WriteCard(const CContact& contact);
std::string WriteCards(const CContactList& contacts);

struct Problem
{
    int card = 0; // 1-based position of the card in the file
    CString text;
};

struct ReadResult
{
    CContactList contacts;         // the usable cards, in file order
    int cards = 0;                 // every BEGIN:VCARD seen
    int withoutBirthday = 0;       // no BDAY, or one that is not a valid date
    int incomplete = 0;            // BEGIN:VCARD without its END:VCARD
    std::vector<Problem> problems; // why each skipped card was skipped
};

// Reads every card of a vCard file. Anything that is not a card is passed over; nothing in
// the input can make the reader fail.
ReadResult ReadCards(std::string_view data);

// Reads a BDAY value: YYYY-MM-DD, YYYYMMDD, --MMDD or --MM-DD, optionally followed by a time
// ("T..."), which is ignored. The result is invalid when the value names no valid date.
COleDateTime ParseBirthday(std::string_view value);

} // namespace vcard
