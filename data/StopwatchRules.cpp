#include "data/StopwatchRules.h"

#include <cstdint>

namespace {
// Days since 1 January 1970 of a local calendar date (proleptic Gregorian).
std::int64_t DayNumber(std::int64_t year, int month, int day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool LocalDayNumber(const CTime& time, std::int64_t& out)
{
    std::tm fields{};
    if (!time.GetLocalTm(&fields))
        return false;
    out = DayNumber(std::int64_t{fields.tm_year} + 1900, fields.tm_mon + 1, fields.tm_mday);
    return true;
}

// The four formats pad minutes and seconds below ten with a literal 0, never the hours.
CString FormatNonNegative(std::int64_t seconds)
{
    const std::int64_t hours = seconds / 3600;
    const int m = static_cast<int>((seconds % 3600) / 60);
    const int c = static_cast<int>(seconds - (hours * 60 + m) * 60);
    const auto h = static_cast<long long>(hours);
    CString text;
    if (m < 10 && c < 10)
        text.Format("%lld:0%d:0%d", h, m, c);
    else if (m < 10)
        text.Format("%lld:0%d:%d", h, m, c);
    else if (c < 10)
        text.Format("%lld:%d:0%d", h, m, c);
    else
        text.Format("%lld:%d:%d", h, m, c);
    return text;
}
} // namespace

CString FormatElapsed(int seconds)
{
    // Splitting a negative count field by field would print "0:00:0-5"; a sign reads better.
    if (seconds < 0)
        return CString("-") + FormatNonNegative(-std::int64_t{seconds});
    return FormatNonNegative(seconds);
}

int ElapsedSeconds(const CTime& now, int startSecond, const CTime& startedAt)
{
    std::int64_t elapsed = std::int64_t{TimeOfDay(now)} - startSecond;
    std::int64_t today = 0;
    std::int64_t startDay = 0;
    if (startedAt != CTime() && LocalDayNumber(now, today) && LocalDayNumber(startedAt, startDay))
        elapsed += (today - startDay) * 86400;
    // Only a wall clock moved by decades could leave the range; hold the count at its edge.
    if (elapsed > INT32_MAX)
        return INT32_MAX;
    if (elapsed < INT32_MIN)
        return INT32_MIN;
    return static_cast<int>(elapsed);
}

bool IsNotificationDue(int elapsed, int hours, int minutes, int seconds)
{
    if (hours == 0 && minutes == 0 && seconds == 0)
        return false;
    const int h = elapsed / 3600;
    const int m = (elapsed % 3600) / 60;
    const int s = elapsed - 3600 * h - 60 * m;
    return h == hours && m == minutes && s == seconds;
}
