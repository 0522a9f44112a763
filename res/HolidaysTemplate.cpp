#include "res/HolidaysTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Resource.h"

namespace res {

// The birthday reminder, as the dialog editor laid it out (dialog units, tab order).
void RegisterHolidaysTemplate()
{
    using K = DialogItemKind;
    constexpr UINT list = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER;
    constexpr UINT detail = ES_READONLY | ES_AUTOHSCROLL | WS_BORDER;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_HOLIDAYS,
        "Holidays",
        212,
        149,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            {IDOK, K::DefPushButton, "OK", 150, 125, 55, 17},
            {IDC_HOLIDAYS_TODAY, K::ListBox, "", 14, 15, 53, 35, list},
            {-1, K::GroupBox, "Info", 74, 4, 131, 103},
            {-1, K::Static, "First Name", 82, 20, 41, 10},
            {-1, K::Static, "Tel", 82, 54, 21, 9},
            {-1, K::Static, "E-mail", 82, 70, 21, 9},
            {-1, K::Static, "Text", 82, 86, 21, 9},
            {-1, K::GroupBox, "Today", 10, 4, 62, 51},
            {-1, K::Static, "Last Name", 82, 37, 41, 10},
            {IDC_HOLIDAYS_TOMORROW, K::ListBox, "", 14, 66, 53, 35, list},
            {-1, K::GroupBox, "Tomorrow", 10, 56, 62, 51},
            {IDC_HOLIDAYS_FIRST_NAME, K::Edit, "", 124, 17, 71, 12, detail},
            {IDC_HOLIDAYS_LAST_NAME, K::Edit, "", 124, 35, 71, 12, detail},
            {IDC_HOLIDAYS_TEL, K::Edit, "", 124, 52, 71, 12, detail},
            {IDC_HOLIDAYS_EMAIL, K::Edit, "", 124, 68, 71, 12, detail},
            {IDC_HOLIDAYS_TEXT, K::Edit, "", 124, 85, 71, 12, detail},
            {IDC_HOLIDAYS_DONT_NOTIFY, K::CheckBox, "Check1", 10, 114, 10, 8, BS_AUTOCHECKBOX},
            {IDC_HOLIDAYS_REMEMBER, K::Static, "Remember me ", 15, 129, 48, 12},
            {IDC_HOLIDAYS_HOURS_AGO, K::Static, "hours ago", 102, 130, 36, 9},
            {-1, K::GroupBox, "", 10, 120, 132, 24},
            {-1, K::Static, "Don't notify me again", 23, 114, 74, 9},
            {IDC_HOLIDAYS_HOURS, K::Edit, "", 67, 128, 20, 12, detail},
            {IDC_HOLIDAYS_HOURS_SPIN, K::UpDown, "Spin1", 85, 128, 11, 12,
             UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
        },
    });
}

} // namespace res
