// The day count behind every birthday in the book: its epoch, both sides of it, its range and
// the fields read back from stored values.
#include "platform/framework/COleDateTime.h"

#include <gtest/gtest.h>

namespace {

struct Fields
{
    int year, month, day, hour, minute, second;
};

Fields FieldsOf(const COleDateTime& date)
{
    return {date.GetYear(), date.GetMonth(),  date.GetDay(),
            date.GetHour(), date.GetMinute(), date.GetSecond()};
}

bool operator==(const Fields& a, const Fields& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

void PrintTo(const Fields& f, std::ostream* out)
{
    *out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':' << f.second;
}

} // namespace

TEST(OleDateTime, DayCountsOnBothSidesOfTheEpoch)
{
    struct Row
    {
        Fields fields;
        double stored;
    };
    const Row rows[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},
        {{1899, 12, 31, 0, 0, 0}, 1.0},
        {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{1900, 3, 1, 0, 0, 0}, 61.0}, // 1900 has no 29 February
        {{1980, 3, 5, 0, 0, 0}, 29285.0},
        {{1970, 1, 1, 12, 0, 0}, 25569.5},
        // Before the epoch the whole part counts back and the fraction forward into the day.
        {{1899, 12, 29, 6, 0, 0}, -1.25},
        {{1899, 12, 29, 18, 0, 0}, -1.75},
        {{1600, 2, 29, 0, 0, 0}, -109512.0}, // the calendar runs on unchanged before 1582
        {{100, 1, 1, 0, 0, 0}, COleDateTime::kMinDate},
        {{9999, 12, 31, 0, 0, 0}, 2958465.0},
    };
    for (const Row& row : rows) {
        const Fields& f = row.fields;
        const COleDateTime date(f.year, f.month, f.day, f.hour, f.minute, f.second);
        ASSERT_EQ(date.GetStatus(), COleDateTime::valid) << row.stored;
        EXPECT_DOUBLE_EQ(date.GetDate(), row.stored);
        EXPECT_EQ(FieldsOf(COleDateTime(row.stored, COleDateTime::valid)), f) << row.stored;
    }
}

TEST(OleDateTime, OnlyRealDaysInTheRangeAreValid)
{
    const Fields invalid[] = {
        {1900, 2, 29, 0, 0, 0}, {2100, 2, 29, 0, 0, 0}, {2026, 4, 31, 0, 0, 0}, {2026, 13, 1, 0, 0, 0},
        {2026, 0, 1, 0, 0, 0},  {2026, 1, 0, 0, 0, 0},  {99, 12, 31, 0, 0, 0},  {10000, 1, 1, 0, 0, 0},
        {2026, 1, 1, 24, 0, 0}, {2026, 1, 1, 0, 60, 0}, {2026, 1, 1, 0, 0, 60}, {2026, 1, 1, -1, 0, 0},
    };
    for (const Fields& f : invalid) {
        const COleDateTime date(f.year, f.month, f.day, f.hour, f.minute, f.second);
        EXPECT_EQ(date.GetStatus(), COleDateTime::invalid) << ::testing::PrintToString(f);
        EXPECT_EQ(date.GetDate(), 0.0);
        EXPECT_EQ(date.GetYear(), -1);
    }
    EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(2028, 2, 29, 23, 59, 59).GetStatus(), COleDateTime::valid);
}

TEST(OleDateTime, StoredValuesReadToTheNearestSecondWithinTheRange)
{
    // A hair before midnight reads as the next day, on either side of the epoch.
    EXPECT_EQ(FieldsOf(COleDateTime(0.99999999, COleDateTime::valid)), (Fields{1899, 12, 31, 0, 0, 0}));
    EXPECT_EQ(FieldsOf(COleDateTime(-1.99999999, COleDateTime::valid)), (Fields{1899, 12, 28, 0, 0, 0}));
    EXPECT_EQ(FieldsOf(COleDateTime(COleDateTime::kMaxDate, COleDateTime::valid)),
              (Fields{10000, 1, 1, 0, 0, 0}));
    // Outside the range, or not valid, every field reads -1.
    for (const COleDateTime& date :
         {COleDateTime(COleDateTime::kMinDate - 1, COleDateTime::valid),
          COleDateTime(COleDateTime::kMaxDate + 1, COleDateTime::valid),
          COleDateTime(1e300, COleDateTime::valid), COleDateTime(29285.0, COleDateTime::null),
          COleDateTime(29285.0, COleDateTime::invalid)})
        EXPECT_EQ(FieldsOf(date), (Fields{-1, -1, -1, -1, -1, -1})) << date.GetDate();
}
