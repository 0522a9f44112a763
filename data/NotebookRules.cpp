#include "data/NotebookRules.h"

#include <algorithm>
#include <numeric>
#include <vector>

CString FormatBirthdayText(const COleDateTime& birthday)
{
    const int day = birthday.GetDay();
    const int month = birthday.GetMonth();
    const int year = birthday.GetYear();
    if (day <= 9 && month <= 9)
        return FormatString("0%d:0%d:%d", day, month, year);
    if (day > 9 && month > 9)
        return FormatString("%d:%d:%d", day, month, year);
    if (day > 9)
        return FormatString("%d:0%d:%d", day, month, year);
    return FormatString("0%d:%d:%d", day, month, year);
}

bool IsSameContact(const CContact& stored, const CContact& candidate)
{
    const COleDateTime& a = stored.m_dtBirthday;
    const COleDateTime& b = candidate.m_dtBirthday;
    return a.GetDay() == b.GetDay() && a.GetMonth() == b.GetMonth() && a.GetYear() == b.GetYear() &&
           stored.m_strEMail.Compare(candidate.m_strEMail) == 0 &&
           stored.m_strFirstName.Compare(candidate.m_strFirstName) == 0 &&
           stored.m_strLastName.Compare(candidate.m_strLastName) == 0 &&
           stored.m_strTel.Compare(candidate.m_strTel) == 0 &&
           stored.m_strText.Compare(candidate.m_strText) == 0;
}

namespace {

struct Slot
{
    int key;   // month and day in one number, ordered like the pair
    int index; // where the contact sat before the sort
};

// Days run from -1 (no valid date) to 31, so 64 per month keeps (month, day) order.
int CalendarKey(const COleDateTime& date)
{
    return date.GetMonth() * 64 + date.GetDay();
}

// One outer step of the exchange sort, for the element at position i. Before it the slots
// [0, i) are in order. The inner loop leaves alone every slot whose key is not above the
// value it carries; it places the new value before the first greater key and from then on
// carries along the first element of each later group of equal keys, so each such group
// comes out with its first element moved to its end.
void ExchangeStep(std::vector<Slot>& slots, std::size_t i)
{
    const auto less = [](const Slot& a, const Slot& b) { return a.key < b.key; };
    const auto first = slots.begin();
    const auto endOfPrefix = first + static_cast<std::ptrdiff_t>(i);
    if (i == 0 || slots[i - 1].key <= slots[i].key)
        return;
    auto group = std::upper_bound(first, endOfPrefix, slots[i], less);
    Slot carried = slots[i];
    while (group != endOfPrefix) {
        const Slot leader = *group;
        *group = carried;
        carried = leader;
        group = std::upper_bound(group + 1, endOfPrefix, leader, less);
    }
    slots[i] = carried;
}

} // namespace

void SortContactsByCalendarDay(CContactList& contacts)
{
    const int count = contacts.GetCount();
    std::vector<Slot> slots(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k)
        slots[static_cast<std::size_t>(k)] = {CalendarKey(contacts.GetAt(k).m_dtBirthday), k};
    for (std::size_t i = 1; i < slots.size(); ++i)
        ExchangeStep(slots, i);

    // Apply the order with exchanges: position k must receive the contact that was at
    // slots[k].index. whereNow follows the contacts as they move; atPosition is its inverse.
    std::vector<int> whereNow(static_cast<std::size_t>(count));
    std::vector<int> atPosition(static_cast<std::size_t>(count));
    std::iota(whereNow.begin(), whereNow.end(), 0);
    std::iota(atPosition.begin(), atPosition.end(), 0);
    for (int k = 0; k < count; ++k) {
        const int wanted = slots[static_cast<std::size_t>(k)].index;
        const int from = whereNow[static_cast<std::size_t>(wanted)];
        if (from == k)
            continue;
        const int displaced = atPosition[static_cast<std::size_t>(k)];
        contacts.ExchangeContacts(k, from);
        whereNow[static_cast<std::size_t>(wanted)] = k;
        whereNow[static_cast<std::size_t>(displaced)] = from;
        atPosition[static_cast<std::size_t>(k)] = wanted;
        atPosition[static_cast<std::size_t>(from)] = displaced;
    }
}
