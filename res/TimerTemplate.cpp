#include "res/TimerTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Resource.h"

namespace res {

void RegisterTimerTemplate()
{
    using K = DialogItemKind;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_TIMER,
        "Timer",
        142,
        127,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            // In tab order, as the dialog editor left them.
            {IDOK, K::DefPushButton, "OK", 93, 110, 45, 12, BS_FLAT | WS_TABSTOP},
            {IDC_TIMER_ELAPSED, K::Static, "Static", 22, 17, 33, 12, SS_LEFT},
            {-1, K::GroupBox, "Timer", 4, 4, 134, 33, BS_FLAT},
            {IDC_TIMER_GO, K::PushButton, "Go", 63, 9, 23, 27, BS_FLAT | WS_TABSTOP},
            {IDC_TIMER_STOP, K::PushButton, "Stop", 88, 9, 23, 27, BS_FLAT | WS_TABSTOP},
            {IDC_TIMER_EXIT, K::PushButton, "Exit", 113, 9, 23, 27, BS_FLAT | WS_TABSTOP},
            {-1, K::GroupBox, "Notify ", 4, 41, 134, 64, BS_FLAT},
            {IDC_TIMER_HOURS, K::Trackbar, "Slider1", 10, 54, 89, 11, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP},
            {IDC_TIMER_MINUTES, K::Trackbar, "Slider1", 10, 72, 89, 11, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
            {IDC_TIMER_SECONDS, K::Trackbar, "Slider1", 10, 90, 89, 11, TBS_HORZ | TBS_NOTICKS | WS_TABSTOP},
            {-1, K::Static, "Hour", 116, 54, 18, 9, SS_LEFT},
            {-1, K::Static, "Min", 116, 72, 14, 9, SS_LEFT},
            {-1, K::Static, "Sec", 116, 90, 16, 9, SS_LEFT},
            {IDC_TIMER_HOURS_LABEL, K::Static, "", 100, 54, 12, 13, SS_LEFT},
            {IDC_TIMER_MINUTES_LABEL, K::Static, "", 100, 72, 12, 13, SS_LEFT},
            {IDC_TIMER_SECONDS_LABEL, K::Static, "", 100, 90, 12, 13, SS_LEFT},
        },
    });
}

} // namespace res
