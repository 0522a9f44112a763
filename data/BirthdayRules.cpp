#include "data/BirthdayRules.h"

#include <QDate>

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
    return nextMonth && day == 1 && today.day == QDate(today.year, today.month, 1).daysInMonth();
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
