#include "data/CContactList.h"

#include <gtest/gtest.h>

namespace {

CContact Named(const char* name)
{
    CContact c;
    c.m_strFirstName = CString(name);
    return c;
}

TEST(ContactListTest, GrowthDoublesAndTheFirstAppendMakesRoomForOne)
{
    CContactList list;
    std::vector<std::size_t> capacities;
    for (int i = 0; i < 9; ++i) {
        list.Add(Named("x"));
        capacities.push_back(list.GetCapacity());
    }
    EXPECT_EQ(capacities, (std::vector<std::size_t>{1, 2, 4, 4, 8, 8, 8, 8, 16}));

    CContactList many;
    for (int i = 0; i < 5; ++i)
        many.Add(Named("y"));
    CContactList two;
    two.Add(Named("a"));
    two.Add(Named("b"));
    two.Append(many); // 2 + max(2, 5)
    EXPECT_EQ(two.GetCount(), 7);
    EXPECT_EQ(two.GetCapacity(), 7u);
}

TEST(ContactListTest, AddingAContactOfTheSameListWhileItGrows)
{
    CContactList list;
    list.Add(Named("first"));
    list.Add(list.GetAt(0)); // block full: grows while the source lives in it
    list.Add(list.GetAt(1));
    ASSERT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.GetAt(2).m_strFirstName, CString("first"));
    list.Append(list);
    EXPECT_EQ(list.GetCount(), 6);
}

TEST(ContactListTest, RemoveAtKeepsTheOrderOfTheOthers)
{
    CContactList list;
    list.Add(Named("a"));
    list.Add(Named("b"));
    list.Add(Named("c"));
    EXPECT_TRUE(list.RemoveAt(1));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetAt(0).m_strFirstName, CString("a"));
    EXPECT_EQ(list.GetAt(1).m_strFirstName, CString("c"));
    EXPECT_FALSE(list.RemoveAt(-1));
    EXPECT_FALSE(list.RemoveAt(2));
    EXPECT_EQ(list.GetCount(), 2);
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ContactListTest, ExchangeSwapsEverySixFields)
{
    CContactList list;
    CContact a{CString("note a"), CString("A"),   CString("Aa"),
               CString("1"),      CString("a@x"), COleDateTime(1980, 3, 5, 10, 0, 0)};
    CContact b{CString("note b"), CString("B"),   CString("Bb"),
               CString("2"),      CString("b@x"), COleDateTime(1950, 1, 2, 0, 0, 0)};
    list.Add(a);
    list.Add(b);
    list.ExchangeContacts(0, 1);
    const CContact& first = list.GetAt(0);
    EXPECT_EQ(first.m_strText, b.m_strText);
    EXPECT_EQ(first.m_strFirstName, b.m_strFirstName);
    EXPECT_EQ(first.m_strLastName, b.m_strLastName);
    EXPECT_EQ(first.m_strTel, b.m_strTel);
    EXPECT_EQ(first.m_strEMail, b.m_strEMail);
    EXPECT_EQ(first.m_dtBirthday.m_dt, b.m_dtBirthday.m_dt);
    EXPECT_EQ(list.GetAt(1).m_strEMail, a.m_strEMail);
    EXPECT_EQ(list.GetAt(1).m_dtBirthday.m_dt, a.m_dtBirthday.m_dt);
}

} // namespace
