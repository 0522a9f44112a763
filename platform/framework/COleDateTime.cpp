#include "platform/framework/COleDateTime.h"

#include <QDate>

#include <cmath>
#include <cstdint>

namespace {
constexpr qint64 kOleEpochJulianDay = 2415019; // 1899-12-30
constexpr double kHalfSecond = 0.5 / 86400.0;
} // namespace

COleDateTime::COleDateTime(int year, int month, int day, int hour, int minute, int second)
{
    SetDateTime(year, month, day, hour, minute, second);
}

COleDateTime::COleDateTime(const CTime& time)
{
    std::tm local{};
    if (!time.GetLocalTm(&local)) {
        m_status = invalid;
        return;
    }
    SetDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec);
}

COleDateTime COleDateTime::GetCurrentTime()
{
    return COleDateTime(CTime::GetCurrentTime());
}

int COleDateTime::SetDateTime(int year, int month, int day, int hour, int minute, int second)
{
    if (year < 100 || year > 9999 || !QDate::isValid(year, month, day) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const auto days = static_cast<double>(QDate(year, month, day).toJulianDay() - kOleEpochJulianDay);
    const double fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    // Before the epoch the fraction still runs forward into the day.
    m_dt = days >= 0 ? days + fraction : days - fraction;
    m_status = valid;
    return 0;
}

bool COleDateTime::Split(Fields* out) const
{
    if (m_status != valid || !(m_dt >= kMinDate && m_dt <= kMaxDate))
        return false;
    // Round to the nearest second first, as the framework does, so 0.99999999 reads as the next day.
    const double whole = std::trunc(m_dt);
    double fraction = std::fabs(m_dt - whole);
    auto days = static_cast<std::int64_t>(whole);
    auto seconds = static_cast<std::int64_t>((fraction + kHalfSecond) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        days += m_dt >= 0 ? 1 : -1;
    }
    const QDate date = QDate::fromJulianDay(days + kOleEpochJulianDay);
    out->year = date.year();
    out->month = date.month();
    out->day = date.day();
    out->hour = static_cast<int>(seconds / 3600);
    out->minute = static_cast<int>(seconds % 3600 / 60);
    out->second = static_cast<int>(seconds % 60);
    return true;
}

int COleDateTime::GetYear() const
{
    Fields f{};
    return Split(&f) ? f.year : -1;
}
int COleDateTime::GetMonth() const
{
    Fields f{};
    return Split(&f) ? f.month : -1;
}
int COleDateTime::GetDay() const
{
    Fields f{};
    return Split(&f) ? f.day : -1;
}
int COleDateTime::GetHour() const
{
    Fields f{};
    return Split(&f) ? f.hour : -1;
}
int COleDateTime::GetMinute() const
{
    Fields f{};
    return Split(&f) ? f.minute : -1;
}
int COleDateTime::GetSecond() const
{
    Fields f{};
    return Split(&f) ? f.second : -1;
}
