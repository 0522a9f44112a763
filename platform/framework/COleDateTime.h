#pragma once

#include "platform/framework/CTime.h"

// The OLE Automation date: days since midnight of 30 December 1899 as a double, the fraction
// being the time of day, with a status. Before 1899-12-30 the whole part counts days back and
// the fraction still counts forward into the day (-1.25 is 29 December 1899, 06:00).
class COleDateTime
{
public:
    enum DateTimeStatus
    {
        valid = 0,
        invalid = 1,
        null = 2,
    };

    // The range the framework accepts: 1 January 100 to 31 December 9999.
    static constexpr double kMinDate = -657434.0;
    static constexpr double kMaxDate = 2958465.99999999;

    COleDateTime() = default;
    COleDateTime(double date, DateTimeStatus status) : m_dt(date), m_status(status) {}
    COleDateTime(int year, int month, int day, int hour, int minute, int second);
    explicit COleDateTime(const CTime& time);

    static COleDateTime GetCurrentTime();

    // Sets the date and time, or marks the value invalid when a field is out of range.
    int SetDateTime(int year, int month, int day, int hour, int minute, int second);
    int SetDate(int year, int month, int day) { return SetDateTime(year, month, day, 0, 0, 0); }

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    double GetDate() const { return m_dt; } // the raw day count, as stored in files

    // Each field reads -1 unless the value is valid and in range.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;

    double m_dt = 0.0;
    DateTimeStatus m_status = valid;

private:
    struct Fields
    {
        int year, month, day, hour, minute, second;
    };
    bool Split(Fields* out) const;
};
