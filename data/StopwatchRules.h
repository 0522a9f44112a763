#pragma once

#include "platform/framework/CString.h"
#include "platform/framework/CTime.h"

// The stopwatch's arithmetic, shared by the Timer dialog and the clock tick that drives it,
// kept apart from both so it runs without a display.

// A second count as hours:minutes:seconds, minutes and seconds padded to two digits, hours
// never padded: 0 -> "0:00:00", 3725 -> "1:02:05", 45296 -> "12:34:56". A negative count
// (the wall clock set back behind the start) reads as the same text after a minus sign.
CString FormatElapsed(int seconds);

// Elapsed seconds of the count at `now`: the time of day minus startSecond, the time-of-day
// start of the count, plus a whole day for every local midnight passed since startedAt, the
// moment of the last Go. A count started at 23:59 thus reads 0:02:00 at 00:01. Without a Go
// (startedAt is CTime(), the state at start-up and after a reset) no day is carried, so the
// count is the time of day itself minus startSecond.
int ElapsedSeconds(const CTime& now, int startSecond, const CTime& startedAt);

// The notification is due when the time set is not 0:00:00 and the count, split into hours,
// minutes and seconds with truncating division, matches it field by field.
bool IsNotificationDue(int elapsed, int hours, int minutes, int seconds);
