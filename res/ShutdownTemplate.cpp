#include "res/ShutdownTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Resource.h"

namespace res {

void RegisterShutdownTemplate()
{
    using K = DialogItemKind;
    // The radio buttons are as wide as their circle; the texts beside them are the captions.
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_SHUTDOWN,
        "Restart and Shut Down",
        220,
        180,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            {IDOK, K::PushButton, "OK", 164, 4, 50, 14, BS_FLAT | WS_TABSTOP},
            {IDCANCEL, K::PushButton, "Cancel", 164, 19, 50, 14, BS_FLAT | WS_TABSTOP},
            {IDC_SHUTDOWN_AT_DATE_TIME, K::RadioButton, "Radio1", 6, 124, 11, 12,
             BS_FLAT | WS_GROUP | WS_TABSTOP},
            {IDC_SHUTDOWN_AFTER_DELAY, K::RadioButton, "Radio2", 6, 33, 12, 11, BS_FLAT | WS_TABSTOP},
            {-1, K::Static, "Enter dat and time ", 17, 125, 64, 9, SS_LEFT | WS_GROUP},
            {-1, K::Static, "Enter time ", 19, 33, 38, 12, SS_LEFT | WS_GROUP},
            {1032, K::GroupBox, "", 5, 42, 210, 78, BS_FLAT},
            {1033, K::GroupBox, "", 5, 134, 209, 37, BS_FLAT},
            {IDC_SHUTDOWN_DATE, K::DateTimePicker, "DateTimePicker1", 35, 148, 58, 13,
             DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP},
            {IDC_SHUTDOWN_TIME, K::DateTimePicker, "DateTimePicker1", 139, 148, 58, 13,
             DTS_TIMEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP},
            {IDC_SHUTDOWN_DATE_LABEL, K::Static, "Date", 13, 149, 19, 12, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_TIME_LABEL, K::Static, "Time", 115, 149, 23, 12, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_HOURS, K::Trackbar, "Slider1", 14, 55, 139, 19,
             TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP},
            {IDC_SHUTDOWN_MINUTES, K::Trackbar, "Slider1", 14, 75, 139, 19,
             TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
            {IDC_SHUTDOWN_SECONDS, K::Trackbar, "Slider1", 14, 95, 139, 19,
             TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
            {IDC_SHUTDOWN_HOURS_UNIT, K::Static, "Hour", 181, 58, 15, 9, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_MINUTES_UNIT, K::Static, "Min", 181, 78, 16, 9, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_SECONDS_UNIT, K::Static, "Sec", 181, 98, 18, 9, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_HOURS_VALUE, K::Static, "", 160, 58, 19, 11, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_MINUTES_VALUE, K::Static, "", 160, 77, 19, 11, SS_LEFT | WS_GROUP},
            {IDC_SHUTDOWN_SECONDS_VALUE, K::Static, "", 160, 97, 19, 11, SS_LEFT | WS_GROUP},
            // A tab stop, so that the choice between restart and shut down is reachable by keyboard.
            {IDC_SHUTDOWN_RESTART, K::RadioButton, "Radio3", 9, 13, 11, 10, WS_GROUP | WS_TABSTOP},
            {IDC_SHUTDOWN_SHUT_DOWN, K::RadioButton, "Radio4", 56, 13, 10, 9},
            {-1, K::Static, "Shut down", 68, 13, 35, 11, SS_LEFT | WS_GROUP},
            {-1, K::Static, "Restart", 20, 13, 26, 11, SS_LEFT | WS_GROUP},
            {-1, K::GroupBox, "", 5, 4, 106, 22, BS_FLAT},
        },
    });
}

} // namespace res
