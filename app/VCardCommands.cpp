#include "app/VCardCommands.h"

#include "data/BookLock.h"
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "data/VCard.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <iterator>
#include <ostream>
#include <sys/stat.h>
#include <unordered_map>
#include <vector>

namespace {

bool ReadWhole(const std::string& path, std::istream& in, std::string* data, std::string* error)
{
    if (path == "-") {
        data->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) {
            *error = "the standard input could not be read";
            return false;
        }
        return true;
    }
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        *error = "\"" + path + "\" could not be opened: " + std::strerror(errno);
        return false;
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        data->append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    const int readError = errno;
    std::fclose(file);
    if (failed) {
        *error = "\"" + path + "\" could not be read: " + std::strerror(readError);
        return false;
    }
    return true;
}

// A loaded book, or the reason there is none; damaged books are never read in part here.
bool LoadBook(ContactBookFile& book, CContactList* contacts, const char* consequence, std::ostream& err)
{
    const ContactBookFile::LoadResult loaded = book.Load(contacts);
    if (loaded.outcome == ContactBookFile::LoadResult::Outcome::loaded)
        return true;
    err << "quillon: the contact book \"" << book.GetPath().GetString() << "\" ";
    if (loaded.outcome == ContactBookFile::LoadResult::Outcome::damaged)
        err << "is damaged (" << loaded.details.Describe().GetString() << ")";
    else
        err << "could not be read";
    err << "; " << consequence << ".\n";
    return false;
}

// Equal for contacts IsSameContact finds the same: the date of birth and the five texts.
std::string DuplicateKey(const CContact& contact)
{
    const COleDateTime& birthday = contact.m_dtBirthday;
    std::string key = std::to_string(birthday.GetYear()) + '-' + std::to_string(birthday.GetMonth()) + '-' +
                      std::to_string(birthday.GetDay());
    for (const CString* text : {&contact.m_strEMail, &contact.m_strFirstName, &contact.m_strLastName,
                                &contact.m_strTel, &contact.m_strText}) {
        key += ' ' + std::to_string(text->GetLength()) + ':';
        key += text->Bytes();
    }
    return key;
}

std::string Count(int number, const char* one, const char* many)
{
    return std::to_string(number) + ' ' + (number == 1 ? one : many);
}

} // namespace

int ExportVCards(const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    struct stat st
    {
    };
    if (::stat(bookPath.c_str(), &st) != 0) {
        err << "quillon: the contact book \"" << bookPath << "\" could not be found: " << std::strerror(errno)
            << ".\n";
        return 1;
    }
    ContactBookFile book{CString(bookPath)};
    CContactList contacts;
    if (!LoadBook(book, &contacts, "nothing was exported", err))
        return 1;
    out << vcard::WriteCards(contacts);
    out.flush();
    if (!out) {
        err << "quillon: the vCards could not be written.\n";
        return 1;
    }
    return 0;
}

int ImportVCards(const std::string& vcfPath, const std::string& bookPath, std::istream& in, std::ostream& out,
                 std::ostream& err)
{
    std::string data;
    std::string error;
    if (!ReadWhole(vcfPath, in, &data, &error)) {
        err << "quillon: " << error << "; nothing was imported.\n";
        return 1;
    }
    const vcard::ReadResult cards = vcard::ReadCards(data);
    if (cards.cards == 0) {
        err << "quillon: \"" << vcfPath << "\" holds no vCard; nothing was imported.\n";
        return 1;
    }

    // A running copy would write its own list over the import when it ends.
    BookLock lock;
    const BookLock::Result locked = lock.Acquire(CString(bookPath));
    if (locked.outcome == BookLock::Result::Outcome::inUse) {
        err << "quillon: " << locked.message.GetString() << " Close it, then import again.\n";
        return 1;
    }
    // Without a lock file (a folder we cannot write) the save below says why it fails.

    ContactBookFile book{CString(bookPath)};
    CContactList contacts;
    if (!LoadBook(book, &contacts, "nothing was imported and the file was left as it is", err))
        return 1;

    // The Notebook's duplicate test against the whole book, cards added before included; the
    // index only narrows the search to contacts whose fields are all equal.
    std::unordered_map<std::string, std::vector<int>> index;
    for (int i = 0; i < contacts.GetCount(); ++i)
        index[DuplicateKey(contacts[i])].push_back(i);
    int added = 0;
    int duplicates = 0;
    for (const CContact& card : cards.contacts) {
        std::vector<int>& same = index[DuplicateKey(card)];
        const bool known =
            std::any_of(same.begin(), same.end(), [&](int i) { return IsSameContact(contacts[i], card); });
        if (known) {
            ++duplicates;
            continue;
        }
        same.push_back(contacts.Add(card));
        ++added;
    }
    // One sort after all the appends leaves the very order that sorting after each append (as
    // "Add" does) would: the exchange sort settles each prefix of the list before it looks at
    // the next contact, and passes over a prefix that is already in order.
    if (added > 0)
        SortContactsByCalendarDay(contacts);
    if (added > 0) {
        const ContactBookFile::SaveResult saved = book.Save(contacts);
        if (!saved.ok) {
            err << "quillon: " << saved.message.GetString() << " Nothing was imported.\n";
            return 1;
        }
    }

    for (const vcard::Problem& problem : cards.problems)
        err << "quillon: " << problem.text.GetString() << ".\n";
    const int skipped = duplicates + cards.withoutBirthday + cards.incomplete;
    out << "Added " << Count(added, "contact", "contacts") << ", skipped " << skipped;
    if (skipped > 0) {
        std::string reasons;
        const auto reason = [&](int number, const std::string& text) {
            if (number == 0)
                return;
            reasons += reasons.empty() ? "" : ", ";
            reasons += text;
        };
        reason(duplicates, Count(duplicates, "duplicate", "duplicates"));
        reason(cards.withoutBirthday, std::to_string(cards.withoutBirthday) + " without a valid birthday");
        reason(cards.incomplete, std::to_string(cards.incomplete) + " incomplete");
        out << " (" << reasons << ')';
    }
    out << ".\n";
    return 0;
}
