#include "app/VCardCommands.h"

#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "data/BookLock.h"
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "data/VCard.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <dirent.h>
#include <istream>
#include <iterator>
#include <ostream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace {

// No address book comes near this; anything larger is refused before it is read.
constexpr std::size_t kMostVCardBytes = std::size_t{256} << 20;

std::string TooLarge(const std::string& name)
{
    return name + " is larger than 256 MiB, far more than any address book; it was not read.";
}

bool ReadWhole(const std::string& path, std::istream& in, std::string* data, std::string* error)
{
    char buffer[65536];
    if (path == "-") {
        while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
            if (data->size() + static_cast<std::size_t>(in.gcount()) > kMostVCardBytes) {
                *error = TooLarge("the standard input");
                return false;
            }
            data->append(buffer, static_cast<std::size_t>(in.gcount()));
        }
        if (in.bad()) {
            *error = std::string("the standard input could not be read: ") + std::strerror(errno) + '.';
            return false;
        }
        return true;
    }
    const int fd = bookcommands::OpenRegularFile(path, "the vCard file", *error);
    if (fd < 0) {
        if (errno == EINVAL) // a pipe, for one, is read as standard input
            *error += " Give - as the file to read standard input.";
        return false;
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) == 0 && static_cast<std::uint64_t>(st.st_size) > kMostVCardBytes) {
        ::close(fd);
        *error = TooLarge("the vCard file " + bookcommands::Quote(path));
        return false;
    }
    data->reserve(static_cast<std::size_t>(st.st_size));
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            *error = "the vCard file " + bookcommands::Quote(path) +
                     " could not be read: " + std::strerror(errno) + '.';
            ::close(fd);
            return false;
        }
        if (got == 0)
            break;
        if (data->size() + static_cast<std::size_t>(got) > kMostVCardBytes) { // it grew meanwhile
            ::close(fd);
            *error = TooLarge("the vCard file " + bookcommands::Quote(path));
            return false;
        }
        data->append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return true;
}

bool IsVCardFileName(std::string_view name)
{
    if (name.empty() || name[0] == '.' || name.size() <= 4) // hidden ones are other programs' temporaries
        return false;
    std::string extension(name.substr(name.size() - 4));
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".vcf";
}

// What an import reads: the cards, and for each contact where it came from, for messages.
struct Input
{
    vcard::ReadResult cards;
    std::vector<std::string> sources;
    bool folder = false;
};

void Merge(vcard::ReadResult&& one, const std::string& source, Input* input)
{
    vcard::ReadResult& all = input->cards;
    for (vcard::Problem& problem : one.problems) {
        problem.text = CString(source + ": ") + problem.text;
        all.problems.push_back(std::move(problem));
    }
    for (int i = 0; i < one.contacts.GetCount(); ++i) {
        all.contacts.Add(std::move(one.contacts[i]));
        all.uids.push_back(std::move(one.uids[static_cast<std::size_t>(i)]));
        input->sources.push_back(source);
    }
    all.cards += one.cards;
    all.withoutBirthday += one.withoutBirthday;
    all.incomplete += one.incomplete;
}

// Every .vcf file of the folder, in the order of their names; any that cannot be read stops it.
bool ReadFolder(const std::string& folder, std::istream& in, Input* input, std::string* error)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        *error =
            "cannot read the vCard folder " + bookcommands::Quote(folder) + ": " + std::strerror(errno) + '.';
        return false;
    }
    std::vector<std::string> names;
    // One thread reads this stream; readdir_r is the deprecated one.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = ::readdir(dir)) {
        if (!IsVCardFileName(entry->d_name))
            continue;
        struct stat st
        {
        };
        const bool folderInside =
            entry->d_type == DT_DIR ||
            ((entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) &&
             ::fstatat(::dirfd(dir), entry->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode));
        if (!folderInside) // the cards of an address book are its files, not what its folders hold
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    std::size_t total = 0;
    for (const std::string& name : names) {
        const std::string path = folder + '/' + name;
        std::string data;
        if (!ReadWhole(path, in, &data, error))
            return false;
        total += data.size();
        if (total > kMostVCardBytes) {
            *error = TooLarge("the vCard folder " + bookcommands::Quote(folder));
            return false;
        }
        Merge(vcard::ReadCards(data), bookcommands::Quote(path), input);
    }
    return true;
}

bool ReadInput(const std::string& vcfPath, std::istream& in, Input* input, std::string* error)
{
    struct stat st
    {
    };
    input->folder = vcfPath != "-" && ::stat(vcfPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    if (input->folder)
        return ReadFolder(vcfPath, in, input, error);
    std::string data;
    if (!ReadWhole(vcfPath, in, &data, error))
        return false;
    input->cards = vcard::ReadCards(data);
    input->sources.assign(static_cast<std::size_t>(input->cards.contacts.GetCount()),
                          vcfPath == "-" ? std::string("the standard input") : bookcommands::Quote(vcfPath));
    return true;
}

std::string Describe(const CContact& contact)
{
    std::string name = contact.m_strFirstName.Bytes();
    if (!name.empty() && !contact.m_strLastName.IsEmpty())
        name += ' ';
    name += contact.m_strLastName.Bytes();
    return name.empty() ? std::string("a contact without a name") : bookcommands::EscapeField(name);
}

// Equal for contacts IsSameContact finds the same: the date of birth and the five texts. A
// hash, not the texts themselves, so that the index costs little beside the book.
std::size_t DuplicateKey(const CContact& contact)
{
    const COleDateTime& birthday = contact.m_dtBirthday;
    std::size_t key =
        std::hash<int>()((birthday.GetYear() * 13 + birthday.GetMonth()) * 32 + birthday.GetDay());
    for (const CString* text : {&contact.m_strEMail, &contact.m_strFirstName, &contact.m_strLastName,
                                &contact.m_strTel, &contact.m_strText})
        key = key * 1000003 ^ std::hash<std::string_view>()(text->Bytes());
    return key;
}

} // namespace

int ExportVCards(const std::string& bookPath, std::ostream& out, std::ostream& err)
{
    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error)) {
        err << "quillon: " << error << " Nothing was exported.\n";
        return 1;
    }
    CommandOutput output(out);
    output.Write(vcard::WriteCards(contacts));
    return output.Finish(err, 0);
}

int ImportVCards(const std::string& vcfPath, const std::string& bookPath, std::istream& in, std::ostream& out,
                 std::ostream& err)
{
    Input input;
    {
        std::string error;
        if (!ReadInput(vcfPath, in, &input, &error)) {
            err << "quillon: " << error << " Nothing was imported.\n";
            return 1;
        }
    }
    vcard::ReadResult& cards = input.cards;
    // A file without a card is the wrong file; a folder without one is a new, empty address book.
    if (cards.cards == 0 && !input.folder) {
        err << "quillon: "
            << (vcfPath == "-" ? std::string("the standard input")
                               : "the vCard file " + bookcommands::Quote(vcfPath))
            << " holds no vCard. Nothing was imported.\n";
        return 1;
    }

    // A running copy would write its own list over the import when it ends.
    BookLock lock;
    const BookLock::Result locked = lock.Acquire(CString(bookPath));
    if (locked.outcome == BookLock::Result::Outcome::inUse) {
        err << "quillon: " << locked.message.GetString() << " Close it, then import again.\n";
        return 1;
    }
    if (locked.outcome == BookLock::Result::Outcome::refused) {
        err << "quillon: " << locked.message.GetString() << " Nothing was imported.\n";
        return 1;
    }
    // Without a lock file (a folder we cannot write) the save below says why it fails.

    CContactList contacts;
    std::string error;
    if (!bookcommands::ReadBook(bookPath, contacts, error, true)) {
        err << "quillon: " << error << " Nothing was imported; the book was left as it is.\n";
        return 1;
    }

    // The Notebook's duplicate test against the whole book, cards added before included; the
    // index only narrows the search to contacts whose fields are all equal.
    std::unordered_map<std::size_t, std::vector<int>> index;
    for (int i = 0; i < contacts.GetCount(); ++i)
        index[DuplicateKey(contacts[i])].push_back(i);
    // A card that carries the UID of a contact (as exported, perhaps changed elsewhere since) is
    // that contact: it is not added a second time.
    std::unordered_map<std::string, int> byUid;
    const std::vector<std::string> bookUids = vcard::ContactUids(contacts);
    for (int i = 0; i < contacts.GetCount(); ++i)
        byUid.emplace(bookUids[static_cast<std::size_t>(i)], i);
    std::vector<std::string> kept; // cards that differ from the contact of their UID
    int added = 0;
    int duplicates = 0;
    for (int c = 0; c < cards.contacts.GetCount(); ++c) {
        CContact& card = cards.contacts[c];
        const std::string& uid = cards.uids[static_cast<std::size_t>(c)];
        if (const auto found = uid.empty() ? byUid.end() : byUid.find(uid); found != byUid.end()) {
            ++duplicates;
            if (!IsSameContact(contacts[found->second], card))
                kept.push_back(input.sources[static_cast<std::size_t>(c)] + ": " + Describe(card) +
                               " has the UID of " + Describe(contacts[found->second]) +
                               ", who is in the book already; the book's fields were kept");
            continue;
        }
        std::vector<int>& same = index[DuplicateKey(card)];
        const bool known =
            std::any_of(same.begin(), same.end(), [&](int i) { return IsSameContact(contacts[i], card); });
        if (known) {
            ++duplicates;
            continue;
        }
        const int at = contacts.Add(std::move(card));
        same.push_back(at);
        if (!uid.empty())
            byUid.emplace(uid, at);
        ++added;
    }
    // One sort after all the appends leaves the very order that sorting after each append (as
    // "Add" does) would: the exchange sort settles each prefix of the list before it looks at
    // the next contact, and passes over a prefix that is already in order.
    if (added > 0) {
        SortContactsByCalendarDay(contacts);
        ContactBookFile book{CString(bookPath)};
        const ContactBookFile::SaveResult saved = book.Save(contacts, &lock);
        if (!saved.ok) {
            err << "quillon: " << saved.message.GetString() << " Nothing was imported.\n";
            return 1;
        }
    }

    for (const vcard::Problem& problem : cards.problems)
        err << "quillon: " + bookcommands::EscapeField(problem.text.Bytes()) + ".\n"; // one write a line
    for (const std::string& line : kept)
        err << "quillon: " + line + ".\n";
    const int skipped = duplicates + cards.withoutBirthday + cards.incomplete;
    std::string summary =
        "Added " + contactbook::Counted(added, "contact") + ", skipped " + std::to_string(skipped);
    if (skipped > 0) {
        std::string reasons;
        const auto reason = [&](int number, const std::string& text) {
            if (number == 0)
                return;
            reasons += reasons.empty() ? "" : ", ";
            reasons += text;
        };
        reason(duplicates, contactbook::Counted(duplicates, "duplicate"));
        reason(cards.withoutBirthday, std::to_string(cards.withoutBirthday) + " without a valid birthday");
        reason(cards.incomplete, std::to_string(cards.incomplete) + " incomplete");
        summary += " (" + reasons + ')';
    }
    summary += ".\n";
    CommandOutput output(out);
    output.Write(summary);
    return output.Finish(err, 0);
}
