#pragma once

// Controls of the Timer dialog (template IDD_TIMER) that code addresses.
enum TimerControlId : int
{
    IDC_TIMER_MINUTES = 1007,       // trackbar: notification minutes, 0..60
    IDC_TIMER_SECONDS = 1008,       // trackbar: notification seconds, 0..60
    IDC_TIMER_ELAPSED = 1011,       // static: the elapsed time shown
    IDC_TIMER_GO = 1023,            // "Go"
    IDC_TIMER_STOP = 1025,          // "Stop"
    IDC_TIMER_EXIT = 1026,          // "Exit": resets the count
    IDC_TIMER_HOURS = 1052,         // trackbar: notification hours, 0..24
    IDC_TIMER_HOURS_LABEL = 1053,   // static: the hours slider's value as last shown
    IDC_TIMER_MINUTES_LABEL = 1054, // static: the minutes slider's value
    IDC_TIMER_SECONDS_LABEL = 1055, // static: the seconds slider's value
};

namespace res {
// Puts the Timer dialog's template into the framework's registry.
void RegisterTimerTemplate();
} // namespace res
