// The stopwatch's arithmetic: the elapsed text, the count across midnight, the notification.
#include "data/StopwatchRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {
// The tests run with TZ=UTC, so local fields are UTC fields.
CTime At(int year, int month, int day, int hour, int minute, int second)
{
    return CTime(year, month, day, hour, minute, second);
}
} // namespace

TEST(FormatElapsed, TheExamplesOfTheTimerDialog)
{
    EXPECT_EQ(FormatElapsed(0), CString("0:00:00"));
    EXPECT_EQ(FormatElapsed(3725), CString("1:02:05"));
    EXPECT_EQ(FormatElapsed(3670), CString("1:01:10"));
    EXPECT_EQ(FormatElapsed(4205), CString("1:10:05"));
    EXPECT_EQ(FormatElapsed(45296), CString("12:34:56"));
}

TEST(FormatElapsed, EachFormatBranchAtItsEdges)
{
    // Minutes and seconds below ten, padded with a literal 0.
    EXPECT_EQ(FormatElapsed(9 * 60 + 9), CString("0:09:09"));
    // Minutes below ten, seconds ten or more.
    EXPECT_EQ(FormatElapsed(9 * 60 + 10), CString("0:09:10"));
    EXPECT_EQ(FormatElapsed(59), CString("0:00:59"));
    // Minutes ten or more, seconds below ten.
    EXPECT_EQ(FormatElapsed(10 * 60 + 9), CString("0:10:09"));
    EXPECT_EQ(FormatElapsed(59 * 60), CString("0:59:00"));
    // Both ten or more.
    EXPECT_EQ(FormatElapsed(10 * 60 + 10), CString("0:10:10"));
    EXPECT_EQ(FormatElapsed(3599), CString("0:59:59"));
    // Hours are never padded, and go past a day.
    EXPECT_EQ(FormatElapsed(3600), CString("1:00:00"));
    EXPECT_EQ(FormatElapsed(25 * 3600 + 1), CString("25:00:01"));
    EXPECT_EQ(FormatElapsed(INT_MAX), CString("596523:14:07"));
}

TEST(FormatElapsed, ANegativeCountReadsWithASign)
{
    EXPECT_EQ(FormatElapsed(-5), CString("-0:00:05"));
    EXPECT_EQ(FormatElapsed(-3725), CString("-1:02:05"));
    EXPECT_EQ(FormatElapsed(INT_MIN), CString("-596523:14:08"));
}

TEST(ElapsedSeconds, WithoutAGoTheCountIsTheTimeOfDay)
{
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 0, 1, 30), 0, CTime()), 90);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 12, 34, 56), 0, CTime()), 45296);
    // The next day as well: nothing is carried without a start.
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 9, 0, 1, 30), 0, CTime()), 90);
}

TEST(ElapsedSeconds, WithinADayItIsTheTimeOfDayLessTheStart)
{
    const CTime go = At(2026, 12, 8, 10, 0, 0);
    EXPECT_EQ(ElapsedSeconds(go, 36000, go), 0);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 10, 1, 15), 36000, go), 75);
    // A resumed count has its start moved back, below 0 just after midnight.
    const CTime resumed = At(2026, 12, 8, 0, 0, 10);
    EXPECT_EQ(ElapsedSeconds(resumed, 10 - 75, resumed), 75);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 0, 0, 11), -65, resumed), 76);
}

TEST(ElapsedSeconds, TheCountCarriesAcrossMidnight)
{
    const CTime go = At(2026, 12, 8, 23, 59, 0);
    const int start = 23 * 3600 + 59 * 60;
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 23, 59, 59), start, go), 59);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 9, 0, 0, 0), start, go), 60);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 9, 0, 1, 0), start, go), 120);
    // Across a month's and a year's end, and for more than a day.
    const CTime newYearsEve = At(2026, 12, 31, 23, 0, 0);
    EXPECT_EQ(ElapsedSeconds(At(2027, 1, 1, 1, 0, 0), 23 * 3600, newYearsEve), 2 * 3600);
    const CTime leapDay = At(2028, 2, 28, 12, 0, 0);
    EXPECT_EQ(ElapsedSeconds(At(2028, 3, 1, 12, 0, 0), 12 * 3600, leapDay), 2 * 86400);
}

TEST(ElapsedSeconds, AClockSetBackBehindTheStartGoesNegative)
{
    const CTime go = At(2026, 12, 8, 10, 0, 0);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 8, 9, 59, 55), 36000, go), -5);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 7, 10, 0, 0), 36000, go), -86400);
}

TEST(IsNotificationDue, MatchesFieldByFieldAndNeverAtZero)
{
    EXPECT_FALSE(IsNotificationDue(0, 0, 0, 0));
    EXPECT_FALSE(IsNotificationDue(90, 0, 0, 0));
    EXPECT_TRUE(IsNotificationDue(90, 0, 1, 30));
    EXPECT_FALSE(IsNotificationDue(89, 0, 1, 30));
    EXPECT_FALSE(IsNotificationDue(91, 0, 1, 30));
    EXPECT_TRUE(IsNotificationDue(24 * 3600 + 5, 24, 0, 5)); // only reachable with the carry
    // 60 on the minutes or seconds slider never matches a split count.
    EXPECT_FALSE(IsNotificationDue(3600, 0, 60, 0));
    EXPECT_FALSE(IsNotificationDue(60, 0, 0, 60));
    // A negative count splits into negative fields and never matches a slider setting.
    EXPECT_FALSE(IsNotificationDue(-90, 0, 1, 30));
}
