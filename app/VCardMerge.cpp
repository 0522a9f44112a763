#include "app/VCardMerge.h"

#include "app/BookCommands.h"
#include "data/ContactBookFormat.h"
#include "data/NotebookRules.h"

#include <algorithm>
#include <string_view>
#include <unordered_map>

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

MergeOutcome MergeCards(VCardInput& input, CContactList& contacts)
{
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
    vcard::ReadResult& cards = input.cards;
    MergeOutcome outcome;
    outcome.withoutBirthday = cards.withoutBirthday;
    outcome.incomplete = cards.incomplete;
    for (const vcard::Problem& problem : cards.problems)
        outcome.messages.push_back(bookcommands::EscapeField(problem.text.Bytes()));
    int& added = outcome.added;
    int& duplicates = outcome.duplicates;
    for (int c = 0; c < cards.contacts.GetCount(); ++c) {
        CContact& card = cards.contacts[c];
        const std::string& uid = cards.uids[static_cast<std::size_t>(c)];
        if (const auto found = uid.empty() ? byUid.end() : byUid.find(uid); found != byUid.end()) {
            ++duplicates;
            if (!IsSameContact(contacts[found->second], card))
                outcome.messages.push_back(input.Source(c) + ": " + Describe(card) + " has the UID of " +
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
    if (added > 0)
        SortContactsByCalendarDay(contacts);
    return outcome;
}

void MergeOutcome::Add(const MergeOutcome& other)
{
    added += other.added;
    duplicates += other.duplicates;
    withoutBirthday += other.withoutBirthday;
    incomplete += other.incomplete;
    messages.insert(messages.end(), other.messages.begin(), other.messages.end());
}

std::string MergeOutcome::Summary() const
{
    const int skipped = duplicates + withoutBirthday + incomplete;
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
        reason(withoutBirthday, std::to_string(withoutBirthday) + " without a valid birthday");
        reason(incomplete, std::to_string(incomplete) + " incomplete");
        summary += " (" + reasons + ')';
    }
    return summary + '.';
}
