#include "data/BirthdayCalendar.h"

#include "data/VCard.h"
#include "data/VCardText.h"

#include <cstdio>
#include <ctime>

namespace birthdaycalendar {

namespace {

constexpr int kFirstYearWithoutYear = 2000;

std::string Name(const CContact& contact)
{
    using vcard::text::SingleLine;
    using vcard::text::ToValidUtf8;
    std::string name = SingleLine(ToValidUtf8(contact.m_strFirstName.Bytes()));
    const std::string last = SingleLine(ToValidUtf8(contact.m_strLastName.Bytes()));
    if (!name.empty() && !last.empty())
        name += ' ';
    return name + last;
}

void AddLine(std::string& out, const std::string& line)
{
    out += vcard::text::FoldLine(line);
}

} // namespace

std::string WriteCalendar(const CContactList& contacts, std::int64_t stamp)
{
    const std::time_t seconds = static_cast<std::time_t>(stamp);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char dtstamp[96];
    std::snprintf(dtstamp, sizeof dtstamp, "%04d%02d%02dT%02d%02d%02dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);

    std::string out = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Quillon//Birthdays//EN\r\n"
                      "CALSCALE:GREGORIAN\r\n";
    const std::vector<std::string> uids = vcard::ContactUids(contacts);
    for (int i = 0; i < contacts.GetCount(); ++i) {
        const COleDateTime& birthday = contacts[i].m_dtBirthday;
        if (birthday.GetStatus() != COleDateTime::valid || birthday.GetYear() <= 0)
            continue;
        const int year = vcard::IsBirthdayWithoutYear(birthday) ? kFirstYearWithoutYear : birthday.GetYear();
        const bool leapDay = birthday.GetMonth() == 2 && birthday.GetDay() == 29;
        char start[64];
        std::snprintf(start, sizeof start, "DTSTART;VALUE=DATE:%04d%02d%02d", year, birthday.GetMonth(),
                      birthday.GetDay());
        const std::string name = Name(contacts[i]);
        out += "BEGIN:VEVENT\r\n";
        AddLine(out, "UID:" + uids[static_cast<std::size_t>(i)] + "-birthday");
        AddLine(out, std::string("DTSTAMP:") + dtstamp);
        AddLine(out, start);
        // The last day of February: the 29th in leap years, the 28th in the others.
        AddLine(out, leapDay ? "RRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=-1" : "RRULE:FREQ=YEARLY");
        AddLine(out, "SUMMARY:" + vcard::text::EscapeText(name.empty() ? std::string("Birthday")
                                                                       : name + "'s birthday"));
        AddLine(out, "TRANSP:TRANSPARENT");
        AddLine(out, "CATEGORIES:BIRTHDAY");
        out += "END:VEVENT\r\n";
    }
    out += "END:VCALENDAR\r\n";
    return out;
}

} // namespace birthdaycalendar
