#include "platform/framework/CDateTimeCtrl.h"

#include "platform/framework/DateTimePicker.h"

namespace {
platform::DateTimePicker* Picker(const CWnd* wnd)
{
    return qobject_cast<platform::DateTimePicker*>(wnd->GetSafeHwnd());
}
} // namespace

BOOL CDateTimeCtrl::SetTime(const CTime& time)
{
    auto* picker = Picker(this);
    std::tm local{};
    if (!picker || !time.IsValid() || !time.GetLocalTm(&local))
        return FALSE;
    picker->SetValue(QDateTime(QDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday),
                               QTime(local.tm_hour, local.tm_min, local.tm_sec)));
    return TRUE;
}

BOOL CDateTimeCtrl::SetTime(const COleDateTime& time)
{
    auto* picker = Picker(this);
    if (!picker || time.GetStatus() != COleDateTime::valid || time.GetYear() < 0)
        return FALSE;
    const QDate date(time.GetYear(), time.GetMonth(), time.GetDay());
    const QTime clock(time.GetHour(), time.GetMinute(), time.GetSecond());
    if (!date.isValid() || !clock.isValid())
        return FALSE;
    picker->SetValue(QDateTime(date, clock));
    return TRUE;
}

DWORD CDateTimeCtrl::GetTime(CTime& time) const
{
    const auto* picker = Picker(this);
    if (!picker)
        return GDT_ERROR;
    const QDateTime value = picker->Value();
    time = CTime(value.date().year(), value.date().month(), value.date().day(), value.time().hour(),
                 value.time().minute(), value.time().second());
    return GDT_VALID;
}

BOOL CDateTimeCtrl::GetTime(COleDateTime& time) const
{
    const auto* picker = Picker(this);
    if (!picker)
        return FALSE;
    const QDateTime value = picker->Value();
    time = COleDateTime(value.date().year(), value.date().month(), value.date().day(), value.time().hour(),
                        value.time().minute(), value.time().second());
    return TRUE;
}
