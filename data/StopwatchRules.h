#pragma once

#include "platform/framework/CString.h"
#include "platform/framework/CTime.h"

// The stopwatch's arithmetic, shared by the Timer dialog and the clock tick that drives it,
// kept apart from both so it runs without a display.

// A second count as hours:minutes:seconds, minutes and seconds padded to two digits, hours
// never padded: 0 -> "0:00:00", 3725 -> "1:02:05", 45296 -> "12:34:56". A negative count
// (the wall clock set back behind the start) reads as the same text after a minus sign.
CString FormatElapsed(int seconds);

// Elapsed seconds of the count at `now`. A running count (startedAt is the moment of the last
// Go) is measured in real seconds since then, plus the count it resumed from, which is the
// time of day at startedAt minus startSecond: it carries across midnight and is not moved by a
// summer-time change. Without a Go (startedAt is CTime(), the state at start-up and after a
// reset) the count is the time of day itself minus startSecond, so the notification time is
// then a time of day.
int ElapsedSeconds(const CTime& now, int startSecond, const CTime& startedAt);

// The notification is due when the time set is not 0:00:00 and the count, split into hours,
// minutes and seconds with truncating division, matches it field by field.
bool IsNotificationDue(int elapsed, int hours, int minutes, int seconds);
