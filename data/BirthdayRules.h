#pragma once

#include "data/CContactList.h"
#include "platform/framework/COleDateTime.h"

#include <vector>

// Which birthdays fall today and which tomorrow. Only the birthday's month and day count;
// the birth year never does, so a birthday entered for a future year is announced as well.

struct CalendarDay
{
    int year = 0;
    int month = 0; // 1-12
    int day = 0;   // 1-31
};

// Same month and day. A birthday that is not a valid date is never today.
bool IsBirthdayToday(const COleDateTime& birthday, const CalendarDay& today);

// The birthday is on the day after today: the next day of the same month, or the first of the
// next month when today is the last day of its month (31 December to 1 January included).
// A 29 February birthday is also announced on every 28 February, leap year or not, so that in
// other years it is not passed over.
bool IsBirthdayTomorrow(const COleDateTime& birthday, const CalendarDay& today);

// Positions in the list, in list order.
struct BirthdayMatches
{
    std::vector<int> today;
    std::vector<int> tomorrow;
};
BirthdayMatches FindBirthdays(const CContactList& contacts, const CalendarDay& today);
