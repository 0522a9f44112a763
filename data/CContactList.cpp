#include "data/CContactList.h"

#include <algorithm>
#include <utility>

void CContactList::MakeRoomFor(std::size_t appended)
{
    const std::size_t count = m_contacts.size();
    if (count + appended > m_contacts.capacity())
        m_contacts.reserve(count + std::max(count, appended));
}

int CContactList::Add(const CContact& contact)
{
    // Copy first: the contact may live in this list, and growing moves the block.
    CContact copy = contact;
    MakeRoomFor(1);
    m_contacts.push_back(std::move(copy));
    return GetCount() - 1;
}

int CContactList::Add(CContact&& contact)
{
    MakeRoomFor(1);
    m_contacts.push_back(std::move(contact));
    return GetCount() - 1;
}

void CContactList::Append(const CContactList& other)
{
    if (&other == this) {
        // The copy is needed: inserting a list into itself reads what the insertion moves.
        const CContactList copy = other; // NOLINT(performance-unnecessary-copy-initialization)
        Append(copy);
        return;
    }
    MakeRoomFor(other.m_contacts.size());
    m_contacts.insert(m_contacts.end(), other.m_contacts.begin(), other.m_contacts.end());
}

bool CContactList::RemoveAt(int index)
{
    if (index < 0 || index >= GetCount())
        return false;
    m_contacts.erase(m_contacts.begin() + index);
    return true;
}

void CContactList::ExchangeContacts(int first, int second)
{
    if (first == second)
        return;
    CContact& a = GetAt(first);
    CContact& b = GetAt(second);
    std::swap(a.m_strText, b.m_strText);
    std::swap(a.m_strFirstName, b.m_strFirstName);
    std::swap(a.m_strLastName, b.m_strLastName);
    std::swap(a.m_strTel, b.m_strTel);
    std::swap(a.m_strEMail, b.m_strEMail);
    std::swap(a.m_dtBirthday, b.m_dtBirthday);
}
