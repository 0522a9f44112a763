#pragma once

#include "platform/framework/COleDateTime.h"
#include "platform/framework/CTime.h"
#include "platform/framework/CWnd.h"

inline constexpr DWORD GDT_VALID = 0;
inline constexpr DWORD GDT_NONE = 1;
inline constexpr DWORD GDT_ERROR = static_cast<DWORD>(-1);

// A date picker (short date) or a time picker. It holds a whole date and time and shows only
// its part, so that one value survives either picker: a date picker keeps the time of day it
// was given, and a time picker keeps the date.
class CDateTimeCtrl : public CWnd
{
public:
    BOOL SetTime(const CTime& time);
    BOOL SetTime(const CTime* time) { return time ? SetTime(*time) : FALSE; }
    BOOL SetTime(const COleDateTime& time); // FALSE for an invalid value, which is not taken
    DWORD GetTime(CTime& time) const;
    BOOL GetTime(COleDateTime& time) const;
};
