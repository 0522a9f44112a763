// The stopwatch's arithmetic: the elapsed text, the count across midnight, the notification.
#include "data/StopwatchRules.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <ctime>
#include <string>

namespace {
// The tests run with TZ=UTC, so local fields are UTC fields.
CTime At(int year, int month, int day, int hour, int minute, int second)
{
    return CTime(year, month, day, hour, minute, second);
}

// Central European time for one test: 02:00 CET becomes 03:00 CEST on the last Sunday of
// March, 03:00 CEST becomes 02:00 CET on the last Sunday of October. A POSIX rule, so no time
// zone database is needed.
class CentralEuropeanTime : public ::testing::Test
{
protected:
    void SetUp() override { SetZone("CET-1CEST,M3.5.0,M10.5.0/3"); }
    void TearDown() override { SetZone(m_saved); }

private:
    static void SetZone(const std::string& zone)
    {
        ::setenv("TZ", zone.c_str(), 1);
        ::tzset();
    }
    std::string m_saved = std::getenv("TZ") ? std::getenv("TZ") : "UTC";
};
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

TEST_F(CentralEuropeanTime, ARunningCountIgnoresTheSpringForwardHour)
{
    // 29 March 2026: 01:59:00 CET is 00:59:00 UTC; two real minutes later it is 03:01:00 CEST.
    const CTime go(1774745940);
    ASSERT_EQ(go.GetHour(), 1);
    ASSERT_EQ(CTime(go.GetTime() + 120).GetHour(), 3);
    const int start = TimeOfDay(go);
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 59), start, go), 59);
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 60), start, go), 60); // 03:00:00 CEST
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 120), start, go), 120);
    // A count resumed from 75 seconds just before the change goes on from there.
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 61), start - 75, go), 136);
}

TEST_F(CentralEuropeanTime, ARunningCountIgnoresTheFallBackHour)
{
    // 25 October 2026: 02:59:00 CEST is 00:59:00 UTC; two real minutes later it is 02:01:00 CET.
    const CTime go(1792889940);
    ASSERT_EQ(go.GetHour(), 2);
    ASSERT_EQ(CTime(go.GetTime() + 120).GetHour(), 2);
    ASSERT_EQ(CTime(go.GetTime() + 120).GetMinute(), 1);
    const int start = TimeOfDay(go);
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 60), start, go), 60);
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + 120), start, go), 120);
    // The repeated hour is counted once, not skipped and not subtracted.
    constexpr std::int64_t kTwoHours = std::int64_t{2} * 3600;
    EXPECT_EQ(ElapsedSeconds(CTime(go.GetTime() + kTwoHours), start, go), kTwoHours);
}

TEST_F(CentralEuropeanTime, WithoutAGoTheTimeOfDayStillRules)
{
    // The notification time is then a time of day, as the clock face shows it.
    const CTime springMorning(1774745940 + 3600); // 03:59:00 CEST
    EXPECT_EQ(ElapsedSeconds(springMorning, 0, CTime()), 3 * 3600 + 59 * 60);
    const CTime autumnNight(1792889940 + 120); // 02:01:00 CET, the second time that day
    EXPECT_EQ(ElapsedSeconds(autumnNight, 0, CTime()), 2 * 3600 + 60);
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
