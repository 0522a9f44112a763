// The calendar rules of the birthday scan, row by row.
#include "data/BirthdayRules.h"
#include "data/BirthdayCalendar.h"
#include "data/VCard.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

enum class Expect
{
    none,
    today,
    tomorrow,
};

struct Row
{
    const char* name;
    int birthYear, birthMonth, birthDay;
    int year, month, day; // today
    Expect expect;
};

void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

class BirthdayRuleRows : public ::testing::TestWithParam<Row>
{
};

TEST_P(BirthdayRuleRows, TodayOrTomorrow)
{
    const Row& row = GetParam();
    const COleDateTime birthday(row.birthYear, row.birthMonth, row.birthDay, 14, 30, 0);
    ASSERT_EQ(birthday.GetStatus(), COleDateTime::valid);
    const CalendarDay today{row.year, row.month, row.day};
    EXPECT_EQ(IsBirthdayToday(birthday, today), row.expect == Expect::today);
    EXPECT_EQ(IsBirthdayTomorrow(birthday, today), row.expect == Expect::tomorrow);

    // The list walk gives the same answer as the rule.
    CContactList list;
    list.Add(CContact{});
    CContact contact;
    contact.m_dtBirthday = birthday;
    list.Add(contact);
    list[0].m_dtBirthday = COleDateTime(1990, 6, 15, 0, 0, 0);
    const BirthdayMatches found = FindBirthdays(list, today);
    const bool other = row.month == 6 && (row.day == 14 || row.day == 15);
    if (!other) {
        EXPECT_EQ(found.today, row.expect == Expect::today ? std::vector<int>{1} : std::vector<int>{});
        EXPECT_EQ(found.tomorrow, row.expect == Expect::tomorrow ? std::vector<int>{1} : std::vector<int>{});
    }
}

const Row kRows[] = {
    {"same_day", 1980, 12, 7, 2026, 12, 7, Expect::today},
    {"next_day_in_month", 1980, 12, 8, 2026, 12, 7, Expect::tomorrow},
    {"day_before", 1980, 12, 6, 2026, 12, 7, Expect::none},
    {"same_day_other_month", 1980, 11, 7, 2026, 12, 7, Expect::none},
    {"dec31_to_jan1", 1975, 1, 1, 2026, 12, 31, Expect::tomorrow},
    {"dec30_not_jan1", 1975, 1, 1, 2026, 12, 30, Expect::none},
    {"jan1_on_jan1", 1975, 1, 1, 2027, 1, 1, Expect::today},
    {"feb29_leap_to_mar1", 1990, 3, 1, 2028, 2, 29, Expect::tomorrow},
    {"feb28_leap_not_mar1", 1990, 3, 1, 2028, 2, 28, Expect::none},
    {"feb28_other_year_to_mar1", 1990, 3, 1, 2027, 2, 28, Expect::tomorrow},
    {"feb27_not_mar1", 1990, 3, 1, 2027, 2, 27, Expect::none},
    {"feb29_birthday_on_feb28_leap", 2000, 2, 29, 2028, 2, 28, Expect::tomorrow},
    {"feb29_birthday_on_feb28_other", 2000, 2, 29, 2027, 2, 28, Expect::tomorrow},
    {"feb29_birthday_on_feb29", 2000, 2, 29, 2028, 2, 29, Expect::today},
    {"feb29_birthday_on_mar1", 2000, 2, 29, 2027, 3, 1, Expect::none},
    {"apr30_to_may1", 1985, 5, 1, 2026, 4, 30, Expect::tomorrow},
    {"apr30_not_may2", 1985, 5, 2, 2026, 4, 30, Expect::none},
    {"apr29_not_may1", 1985, 5, 1, 2026, 4, 29, Expect::none},
    {"mar30_to_mar31", 1970, 3, 31, 2026, 3, 30, Expect::tomorrow},
    {"mar31_to_apr1", 1970, 4, 1, 2026, 3, 31, Expect::tomorrow},
    {"jun30_to_jul1", 1970, 7, 1, 2026, 6, 30, Expect::tomorrow},
    {"jul31_to_aug1", 1970, 8, 1, 2026, 7, 31, Expect::tomorrow},
    {"jul30_not_aug1", 1970, 8, 1, 2026, 7, 30, Expect::none},
    {"future_birth_year_today", 2090, 12, 7, 2026, 12, 7, Expect::today},
    {"future_birth_year_tomorrow", 2090, 12, 8, 2026, 12, 7, Expect::tomorrow},
    // Centuries: 2100 has no 29 February, 2000 had one.
    {"feb28_2100_to_mar1", 1990, 3, 1, 2100, 2, 28, Expect::tomorrow},
    {"feb28_2000_not_mar1", 1990, 3, 1, 2000, 2, 28, Expect::none},
    {"feb29_2000_to_mar1", 1990, 3, 1, 2000, 2, 29, Expect::tomorrow},
};

INSTANTIATE_TEST_SUITE_P(Calendar, BirthdayRuleRows, ::testing::ValuesIn(kRows),
                         [](const auto& rowInfo) { return std::string(rowInfo.param.name); });

TEST(BirthdayRules, LeapYearsDecideWhetherTheFirstOfMarchIsTomorrow)
{
    // Every fourth year has a 29 February, but not the centuries other than every fourth one.
    const COleDateTime firstOfMarch(1990, 3, 1, 0, 0, 0);
    EXPECT_FALSE(IsBirthdayTomorrow(firstOfMarch, {2028, 2, 28}));
    EXPECT_TRUE(IsBirthdayTomorrow(firstOfMarch, {2027, 2, 28}));
    EXPECT_FALSE(IsBirthdayTomorrow(firstOfMarch, {2000, 2, 28}));
    EXPECT_TRUE(IsBirthdayTomorrow(firstOfMarch, {2100, 2, 28}));
    EXPECT_TRUE(IsBirthdayTomorrow(firstOfMarch, {1900, 2, 28}));
}

TEST(BirthdayRules, InvalidAndNullBirthdaysAreSkipped)
{
    CContactList list;
    CContact invalid;
    invalid.m_dtBirthday = COleDateTime(2000, 2, 30, 0, 0, 0); // no such day
    ASSERT_EQ(invalid.m_dtBirthday.GetStatus(), COleDateTime::invalid);
    list.Add(invalid);
    CContact null;
    null.m_dtBirthday.SetStatus(COleDateTime::null);
    list.Add(null);
    CContact outOfRange;
    outOfRange.m_dtBirthday = COleDateTime(1e9, COleDateTime::valid);
    list.Add(outOfRange);
    // Days whose numbers the -1 of an invalid field could meet in a naive difference.
    for (const CalendarDay& day : {CalendarDay{2026, 10, 31}, CalendarDay{2026, 1, 1},
                                   CalendarDay{2026, 12, 31}, CalendarDay{2026, 2, 28}}) {
        const BirthdayMatches found = FindBirthdays(list, day);
        EXPECT_TRUE(found.today.empty());
        EXPECT_TRUE(found.tomorrow.empty());
    }
}

TEST(BirthdayRules, MatchesKeepListOrder)
{
    CContactList list;
    const int days[] = {8, 7, 9, 7, 8};
    for (int day : days) {
        CContact contact;
        contact.m_dtBirthday = COleDateTime(1980 + day, 12, day, 0, 0, 0);
        list.Add(contact);
    }
    const BirthdayMatches found = FindBirthdays(list, {2026, 12, 7});
    EXPECT_EQ(found.today, (std::vector<int>{1, 3}));
    EXPECT_EQ(found.tomorrow, (std::vector<int>{0, 4}));
    EXPECT_TRUE(FindBirthdays(CContactList{}, {2026, 12, 7}).today.empty());
}

} // namespace

// The calendar export places each birthday as the reminder does: a yearly all-day event, the
// last day of February for a 29 February, and invalid birthdays left out.
TEST(BirthdayCalendar, OneYearlyEventPerValidBirthday)
{
    struct Person
    {
        const char* first;
        COleDateTime birthday;
        const char* event; // the lines expected in its event, or nullptr for none
    };
    COleDateTime invalid;
    invalid.SetStatus(COleDateTime::invalid);
    const Person people[] = {
        {"Ann", COleDateTime(1980, 3, 5, 14, 30, 0),
         "DTSTART;VALUE=DATE:19800305\r\nRRULE:FREQ=YEARLY\r\nSUMMARY:Ann Lee's birthday\r\n"},
        {"Leap", COleDateTime(1988, 2, 29, 0, 0, 0),
         "DTSTART;VALUE=DATE:19880229\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\n"},
        {"Yearless", COleDateTime(1904, 4, 15, 0, 0, 0),
         "DTSTART;VALUE=DATE:20000415\r\nRRULE:FREQ=YEARLY\r\n"},
        {"Yearless leap", COleDateTime(1904, 2, 29, 0, 0, 0),
         "DTSTART;VALUE=DATE:20000229\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1\r\n"},
        {"Nobody", invalid, nullptr},
        {"Comma, semicolon;", COleDateTime(1970, 1, 1, 0, 0, 0),
         "SUMMARY:Comma\\, semicolon\\; Lee's birthday\r\n"},
    };
    CContactList book;
    for (const Person& person : people) {
        CContact contact;
        contact.m_strFirstName = person.first;
        contact.m_strLastName = "Lee";
        contact.m_dtBirthday = person.birthday;
        book.Add(contact);
    }
    const std::string calendar = birthdaycalendar::WriteCalendar(book, 1796774400); // 2026-12-09 00:00 UTC
    ASSERT_EQ(calendar.rfind("BEGIN:VCALENDAR\r\nVERSION:2.0\r\n", 0), 0u) << calendar;
    const std::string end = "END:VCALENDAR\r\n";
    ASSERT_EQ(calendar.substr(calendar.size() - end.size()), end);
    const std::vector<std::string> uids = vcard::ContactUids(book);
    std::size_t events = 0;
    for (std::size_t at = calendar.find("BEGIN:VEVENT"); at != std::string::npos;
         at = calendar.find("BEGIN:VEVENT", at + 1))
        ++events;
    EXPECT_EQ(events, 5u);
    for (int i = 0; i < book.GetCount(); ++i) {
        const std::size_t start = calendar.find("UID:" + uids[static_cast<std::size_t>(i)] + "-birthday\r\n");
        ASSERT_EQ(start == std::string::npos, people[i].event == nullptr) << people[i].first;
        if (!people[i].event)
            continue;
        const std::string event = calendar.substr(start, calendar.find("END:VEVENT", start) - start);
        EXPECT_NE(event.find("DTSTAMP:20261209T000000Z\r\n"), std::string::npos) << event;
        EXPECT_NE(event.find(people[i].event), std::string::npos) << event;
    }
}
