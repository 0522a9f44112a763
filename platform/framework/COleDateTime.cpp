#include "platform/framework/COleDateTime.h"

#include <cmath>
#include <cstdint>

namespace {

// Days from 1970-01-01 to a civil date (Howard Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = static_cast<unsigned>((153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1);
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int* year, int* month, int* day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    *month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    *year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (*month <= 2));
}

constexpr std::int64_t kOleEpochFromUnix = -25569; // 1899-12-30 in days since 1970-01-01
constexpr double kHalfSecond = 0.5 / 86400.0;

} // namespace

bool IsValidCalendarDate(int year, int month, int day)
{
    if (month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

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
    if (year < 100 || year > 9999 || !IsValidCalendarDate(year, month, day) || hour < 0 || hour > 23 ||
        minute < 0 || minute > 59 || second < 0 || second > 59) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    const double days = static_cast<double>(DaysFromCivil(year, month, day) - kOleEpochFromUnix);
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
    CivilFromDays(days + kOleEpochFromUnix, &out->year, &out->month, &out->day);
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
