#pragma once

#include "data/CContactList.h"
#include "platform/framework/COleDateTime.h"
#include "platform/framework/CString.h"

// The Notebook's rules about contacts, kept apart from the dialog so they run without a display.

// day:month:year, day and month padded to two digits. A date that is not valid reads -1 in
// every field and so comes out as "0-1:0-1:-1".
CString FormatBirthdayText(const COleDateTime& birthday);

// The same contact: equal day, month and year of birth (the time of day does not count) and
// the five texts equal byte for byte, letter case included.
bool IsSameContact(const CContact& stored, const CContact& candidate);

// Orders the list by birthday month, then day; the year plays no part. Contacts that share a
// day end up in exactly the order of the Notebook's exchange sort:
//   for i = 1 .. n-1, for j = 0 .. i-1:
//     if month(i) < month(j): exchange i and j
//     then if month(i) == month(j) and day(i) < day(j): exchange i and j
// computed on precomputed keys, so adding to a large book stays fast.
void SortContactsByCalendarDay(CContactList& contacts);
