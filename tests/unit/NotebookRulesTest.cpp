#include "data/NotebookRules.h"
#include "tests/support/Contacts.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using testsupport::MakeContact;

std::vector<std::string> Names(const CContactList& list)
{
    std::vector<std::string> names;
    for (const CContact& c : list)
        names.push_back(c.m_strFirstName.Bytes());
    return names;
}

// The exchange sort exactly as the Notebook describes it, one step after another.
void LiteralExchangeSort(CContactList& list)
{
    for (int i = 1; i < list.GetCount(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (list.GetAt(i).m_dtBirthday.GetMonth() < list.GetAt(j).m_dtBirthday.GetMonth())
                list.ExchangeContacts(i, j);
            const COleDateTime& a = list.GetAt(i).m_dtBirthday;
            const COleDateTime& b = list.GetAt(j).m_dtBirthday;
            if (a.GetMonth() == b.GetMonth() && a.GetDay() < b.GetDay())
                list.ExchangeContacts(i, j);
        }
    }
}

TEST(NotebookRulesTest, BirthdayTextPadsDayAndMonth)
{
    EXPECT_EQ(FormatBirthdayText(COleDateTime(1980, 3, 5, 0, 0, 0)), CString("05:03:1980"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(2001, 12, 21, 0, 0, 0)), CString("21:12:2001"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(1975, 9, 9, 0, 0, 0)), CString("09:09:1975"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(1975, 10, 10, 0, 0, 0)), CString("10:10:1975"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(1975, 12, 1, 0, 0, 0)), CString("01:12:1975"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(1975, 1, 12, 0, 0, 0)), CString("12:01:1975"));
    EXPECT_EQ(FormatBirthdayText(COleDateTime(29285.0, COleDateTime::invalid)), CString("0-1:0-1:-1"));
}

TEST(NotebookRulesTest, SameContactIgnoresTimeOfDayButNotLetterCase)
{
    CContact stored = MakeContact("Ann", "", 1980, 3, 5, 8);
    stored.m_strText = CString("note\r\nmore");
    CContact candidate = stored;
    candidate.m_dtBirthday = COleDateTime(1980, 3, 5, 23, 0, 0);
    EXPECT_TRUE(IsSameContact(stored, candidate));

    CContact other = candidate;
    other.m_strFirstName = CString("ann");
    EXPECT_FALSE(IsSameContact(stored, other));
    other = candidate;
    other.m_strEMail = CString("a@b");
    EXPECT_FALSE(IsSameContact(stored, other));
    other = candidate;
    other.m_strText = CString("note\nmore");
    EXPECT_FALSE(IsSameContact(stored, other));
    other = candidate;
    other.m_dtBirthday = COleDateTime(1981, 3, 5, 8, 0, 0); // only the year differs
    EXPECT_FALSE(IsSameContact(stored, other));
}

TEST(NotebookRulesTest, SortIgnoresTheYearAndFollowsTheExchangeTieOrder)
{
    CContactList years;
    years.Add(MakeContact("1950", "", 1950, 1, 2));
    years.Add(MakeContact("1990", "", 1990, 1, 1));
    SortContactsByCalendarDay(years);
    EXPECT_EQ(Names(years), (std::vector<std::string>{"1990", "1950"}));

    CContactList book;
    book.Add(MakeContact("A1", "", 1970, 3, 5));
    book.Add(MakeContact("A2", "", 1985, 3, 5));
    book.Add(MakeContact("B", "", 1960, 6, 1));
    CContactList withX = book;
    withX.Add(MakeContact("X", "", 2000, 1, 1));
    SortContactsByCalendarDay(withX);
    EXPECT_EQ(Names(withX), (std::vector<std::string>{"X", "A2", "A1", "B"}));

    CContactList withY = book;
    withY.Add(MakeContact("Y", "", 2000, 3, 5));
    SortContactsByCalendarDay(withY);
    EXPECT_EQ(Names(withY), (std::vector<std::string>{"A1", "A2", "Y", "B"}));

    CContactList invalid = book;
    CContact broken = MakeContact("bad", "", 1, 1, 1);
    broken.m_dtBirthday = COleDateTime(1.0, COleDateTime::invalid);
    invalid.Add(broken);
    SortContactsByCalendarDay(invalid);
    EXPECT_EQ(Names(invalid).front(), "bad");
}

TEST(NotebookRulesTest, SortMatchesTheLiteralExchangeSortOnRandomBooks)
{
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        const int count = static_cast<int>(random() % 60);
        // Few distinct days so that ties are common; now and then a date that is not valid.
        const int days = 1 + static_cast<int>(random() % 6);
        CContactList list;
        for (int i = 0; i < count; ++i) {
            CContact c =
                MakeContact(std::to_string(i).c_str(), "", 1900 + static_cast<int>(random() % 120),
                            1 + static_cast<int>(random() % 3), 1 + static_cast<int>(random() % days));
            if (random() % 15 == 0)
                c.m_dtBirthday.SetStatus(COleDateTime::invalid);
            list.Add(c);
        }
        // Half the rounds: a sorted book plus one appended contact, as after an "Add".
        if (round % 2 == 1 && count > 0) {
            CContactList sorted = list;
            LiteralExchangeSort(sorted);
            CContact added = list.GetAt(count - 1);
            added.m_strFirstName = CString("added");
            sorted.Add(added);
            list = sorted;
        }
        CContactList expected = list;
        LiteralExchangeSort(expected);
        SortContactsByCalendarDay(list);
        ASSERT_EQ(Names(list), Names(expected)) << "round " << round;
    }
}

} // namespace
