#include "app/VCardCommands.h"

#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "app/VCardInput.h"
#include "data/BookLock.h"
#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "data/VCard.h"

#include <algorithm>
#include <ostream>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

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
    VCardInput input;
    {
        std::string error;
        if (!ReadVCardInput(vcfPath, in, &input, &error)) {
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
                kept.push_back(input.Source(c) + ": " + Describe(card) + " has the UID of " +
                               Describe(contacts[found->second]) +
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
