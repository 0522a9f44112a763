#include "platform/framework/CTime.h"

#include "platform/framework/Clock.h"

CTime::CTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    const std::time_t t = std::mktime(&fields);
    // mktime answers -1 both for failure and for 23:59:59 on 31 December 1969; tell them apart.
    m_valid = !(t == static_cast<std::time_t>(-1) && (year != 1969 || fields.tm_year != 69));
    m_time = m_valid ? static_cast<std::int64_t>(t) : 0;
}

CTime CTime::GetCurrentTime()
{
    return CTime(platform::CurrentUnixTime());
}

bool CTime::GetLocalTm(std::tm* out) const
{
    if (!m_valid)
        return false;
    const auto t = static_cast<std::time_t>(m_time);
    return localtime_r(&t, out) != nullptr;
}

int CTime::Field(int std::tm::*field, int offset) const
{
    std::tm fields{};
    if (!GetLocalTm(&fields))
        return -1;
    return fields.*field + offset;
}

int CTime::GetYear() const
{
    return Field(&std::tm::tm_year, 1900);
}
int CTime::GetMonth() const
{
    return Field(&std::tm::tm_mon, 1);
}
int CTime::GetDay() const
{
    return Field(&std::tm::tm_mday, 0);
}
int CTime::GetHour() const
{
    return Field(&std::tm::tm_hour, 0);
}
int CTime::GetMinute() const
{
    return Field(&std::tm::tm_min, 0);
}
int CTime::GetSecond() const
{
    return Field(&std::tm::tm_sec, 0);
}
int TimeOfDay(const CTime& time)
{
    std::tm fields{};
    if (!time.GetLocalTm(&fields))
        return 0;
    return fields.tm_hour * 3600 + fields.tm_min * 60 + fields.tm_sec;
}
