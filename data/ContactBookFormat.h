#pragma once

#include "data/CContactList.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CString.h"

#include <cstdint>
#include <string>

// The contact book's bytes (see CArchive for how each value is encoded). No header, no
// signature, no version:
//
//   int32  N, the number of contacts; 0 or less means an empty book
//   N records, in list order, each:
//     int32   birthday status (0 valid, 1 invalid, 2 null)
//     double  birthday as an OLE Automation date (days since 1899-12-30, fraction = time)
//     string  e-mail
//     string  first name
//     string  last name
//     string  telephone
//     string  note
//
// Nothing follows the last record; a reader ignores whatever does. The smallest record is
// 17 bytes (five empty strings), which bounds how many records a file can really hold.
namespace contactbook {

constexpr std::int64_t kMinRecordBytes = 4 + 8 + 5;

struct ReadResult
{
    enum class Damage
    {
        none,
        countTooLarge, // the count promises more records than the bytes could hold
        countCut,      // the data ends inside the count itself
        endOfFile,     // the data ends inside a record
        badLength,     // a text's length runs past the end of the data
        readFailed,    // the file reported an error
    };

    Damage damage = Damage::none;
    std::int32_t announced = 0; // the count at the start of the data; 0 when it is cut
    int contactsRead = 0;       // records appended to the list
    std::uint64_t damageAt = 0; // offset of the record (or count) that could not be read
    int readErrno = 0;          // with readFailed

    bool IsDamaged() const { return damage != Damage::none; }
    // One sentence for the user about what is wrong, empty when nothing is.
    CString Describe() const;
};

// "1 contact", "2 contacts": a number and a noun with a regular plural.
std::string Counted(long long number, const char* noun);

// Writes the count and every record; the caller closes the archive and checks it.
void WriteContactBook(CArchive& ar, const CContactList& contacts);

// Appends the records to the list in file order. Every contact read before damage is kept;
// nothing is allocated from the count. No data at all is an empty book, not damage.
ReadResult ReadContactBook(CArchive& ar, CContactList* contacts);

} // namespace contactbook
