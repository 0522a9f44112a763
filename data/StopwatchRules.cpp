#include "data/StopwatchRules.h"

#include <cstdint>

namespace {
// A second count as clock fields, by truncating division, so a negative count gives fields
// that are negative or zero.
struct ClockFields
{
    std::int64_t hours;
    int minutes;
    int seconds;
};

ClockFields SplitSeconds(std::int64_t count)
{
    return {count / 3600, static_cast<int>(count % 3600 / 60), static_cast<int>(count % 60)};
}

// The four formats pad minutes and seconds below ten with a literal 0, never the hours.
CString FormatNonNegative(std::int64_t seconds)
{
    const auto [hours, m, c] = SplitSeconds(seconds);
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
    std::int64_t elapsed = 0;
    if (startedAt == CTime()) {
        // No count runs: the notification compares against the time of day itself.
        elapsed = std::int64_t{TimeOfDay(now)} - startSecond;
    } else {
        // A count runs in real seconds since the last Go, on top of what it had reached when it
        // was resumed (the start moved back by the paused count): a summer-time change or a
        // midnight moves the clock face, never the count.
        const std::int64_t resumedAt = std::int64_t{TimeOfDay(startedAt)} - startSecond;
        elapsed = now.GetTime() - startedAt.GetTime() + resumedAt;
    }
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
    const ClockFields f = SplitSeconds(elapsed);
    return f.hours == hours && f.minutes == minutes && f.seconds == seconds;
}
