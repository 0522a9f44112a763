#pragma once

#include <cstdint>
#include <ctime>

// Calendar time in whole seconds since 1 January 1970 UTC, 64 bits wide. Local fields come
// from the C library, so they follow TZ like every other program on the desktop.
class CTime
{
public:
    CTime() = default;
    explicit CTime(std::int64_t time) : m_time(time) {}
    // Local time; m_valid is false when the fields name no local moment.
    CTime(int year, int month, int day, int hour, int minute, int second);

    static CTime GetCurrentTime();

    std::int64_t GetTime() const { return m_time; }
    bool IsValid() const { return m_valid; }
    // False when the C library cannot split this moment into local fields.
    bool GetLocalTm(std::tm* out) const;

    int GetYear() const;
    int GetMonth() const; // 1-12
    int GetDay() const;   // 1-31
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    bool operator==(const CTime& other) const = default;

private:
    int Field(int std::tm::*field, int offset) const;

    std::int64_t m_time = 0;
    bool m_valid = true;
};

// Seconds since local midnight of a moment: the unit of the delay schedule and the stopwatch.
int TimeOfDay(const CTime& time);
