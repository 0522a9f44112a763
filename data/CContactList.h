#pragma once

#include "data/CContact.h"

#include <cstddef>
#include <vector>

// The contacts in one contiguous block, in the order they are shown and written.
class CContactList
{
public:
    int GetCount() const { return static_cast<int>(m_contacts.size()); }
    bool IsEmpty() const { return m_contacts.empty(); }
    // Slots held before the block must grow again.
    std::size_t GetCapacity() const { return m_contacts.capacity(); }

    // 0 <= index < GetCount().
    const CContact& GetAt(int index) const { return m_contacts[static_cast<std::size_t>(index)]; }
    CContact& GetAt(int index) { return m_contacts[static_cast<std::size_t>(index)]; }
    const CContact& operator[](int index) const { return GetAt(index); }
    CContact& operator[](int index) { return GetAt(index); }

    // Appends a copy and returns its index. A full block grows to the count plus the larger
    // of the count and the number appended: it doubles, and the first append makes room for one.
    int Add(const CContact& contact);
    // Appends a contact the caller no longer needs, without copying its texts.
    int Add(CContact&& contact);
    // Appends copies of every contact of another list, growing at most once.
    void Append(const CContactList& other);
    // Later contacts move down by one. An index outside the list changes nothing.
    bool RemoveAt(int index);
    // Swaps all six fields of two contacts.
    void ExchangeContacts(int first, int second);
    void RemoveAll() { m_contacts.clear(); }
    // Makes room for this many contacts in all, so that a known number of appends grows once.
    void Reserve(int count) { m_contacts.reserve(static_cast<std::size_t>(count < 0 ? 0 : count)); }

    auto begin() const { return m_contacts.begin(); }
    auto end() const { return m_contacts.end(); }

private:
    void MakeRoomFor(std::size_t appended);

    std::vector<CContact> m_contacts;
};
