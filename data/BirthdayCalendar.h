#pragma once

#include "data/CContactList.h"

#include <cstdint>
#include <string>

// The book's birthdays as an iCalendar 2.0 calendar for the user's calendar program: one
// all-day event a year per contact with a valid birthday, named after the person, its UID
// derived from the contact's (so a second import replaces the first). A 29 February birthday
// falls on the last day of February, the 28th in common years, as the reminder has it; one
// without a year starts in 2000, a leap year.
namespace birthdaycalendar {

// stamp: seconds since the epoch, written as every event's DTSTAMP.
std::string WriteCalendar(const CContactList& contacts, std::int64_t stamp);

} // namespace birthdaycalendar
