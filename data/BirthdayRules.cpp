#include "data/BirthdayRules.h"

namespace {
int DaysInMonth(int month, int year)
{
    switch (month) {
    case 2:
        return IsLeapYear(year) ? 29 : 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}
} // namespace

bool IsLeapYear(int year)
{
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

bool IsBirthdayToday(const COleDateTime& birthday, const CalendarDay& today)
{
    if (birthday.GetStatus() != COleDateTime::valid)
        return false;
    return birthday.GetMonth() == today.month && birthday.GetDay() == today.day;
}

bool IsBirthdayTomorrow(const COleDateTime& birthday, const CalendarDay& today)
{
    if (birthday.GetStatus() != COleDateTime::valid)
        return false;
    const int month = birthday.GetMonth();
    const int day = birthday.GetDay();
    if (month < 1 || day < 1)
        return false;
    const int dm = month - today.month;
    if (dm == 0)
        return day - today.day == 1;
    // The first of the next month, December to January included, on the last day of this one.
    const bool nextMonth = dm == 1 || dm == -11;
    return nextMonth && day == 1 && today.day == DaysInMonth(today.month, today.year);
}

BirthdayMatches FindBirthdays(const CContactList& contacts, const CalendarDay& today)
{
    BirthdayMatches matches;
    for (int i = 0; i < contacts.GetCount(); ++i) {
        const COleDateTime& birthday = contacts[i].m_dtBirthday;
        if (IsBirthdayToday(birthday, today))
            matches.today.push_back(i);
        if (IsBirthdayTomorrow(birthday, today))
            matches.tomorrow.push_back(i);
    }
    return matches;
}
