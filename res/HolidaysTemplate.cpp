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
            {1020, K::ListBox, "", 14, 15, 53, 35, list},
            {-1, K::GroupBox, "Info", 74, 4, 131, 103},
            {-1, K::Static, "First Name", 82, 20, 41, 10},
            {-1, K::Static, "Tel", 82, 54, 21, 9},
            {-1, K::Static, "E-mail", 82, 70, 21, 9},
            {-1, K::Static, "Text", 82, 86, 21, 9},
            {-1, K::GroupBox, "Today", 10, 4, 62, 51},
            {-1, K::Static, "Last Name", 82, 37, 41, 10},
            {1023, K::ListBox, "", 14, 66, 53, 35, list},
            {-1, K::GroupBox, "Tomorrow", 10, 56, 62, 51},
            {1034, K::Edit, "", 124, 17, 71, 12, detail},
            {1035, K::Edit, "", 124, 35, 71, 12, detail},
            {1036, K::Edit, "", 124, 52, 71, 12, detail},
            {1037, K::Edit, "", 124, 68, 71, 12, detail},
            {1038, K::Edit, "", 124, 85, 71, 12, detail},
            {1043, K::CheckBox, "Check1", 10, 114, 10, 8, BS_AUTOCHECKBOX},
            {1048, K::Static, "Remember me ", 15, 129, 48, 12},
            {1047, K::Static, "hours ago", 102, 130, 36, 9},
            {-1, K::GroupBox, "", 10, 120, 132, 24},
            {-1, K::Static, "Don't notify me again", 23, 114, 74, 9},
            {1025, K::Edit, "", 67, 128, 20, 12, detail},
            {1045, K::UpDown, "Spin1", 85, 128, 11, 12, UDS_SETBUDDYINT | UDS_AUTOBUDDY | UDS_ARROWKEYS},
        },
    });
}

} // namespace res
