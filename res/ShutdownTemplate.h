#pragma once

// Controls of the "Restart and Shut Down" dialog (template IDD_SHUTDOWN) that code addresses.
enum ShutdownControlId : int
{
    IDC_SHUTDOWN_AT_DATE_TIME = 1000, // radio: at a date and time
    IDC_SHUTDOWN_AFTER_DELAY = 1001,  // radio: after a delay
    IDC_SHUTDOWN_DATE = 1002,         // date picker
    IDC_SHUTDOWN_TIME = 1003,         // time picker
    IDC_SHUTDOWN_HOURS = 1004,        // trackbar: delay hours, 0..24
    IDC_SHUTDOWN_MINUTES = 1005,      // trackbar: delay minutes, 0..60
    IDC_SHUTDOWN_SECONDS = 1006,      // trackbar: delay seconds, 0..60
    IDC_SHUTDOWN_HOURS_UNIT = 1007,   // static "Hour"
    IDC_SHUTDOWN_MINUTES_UNIT = 1008, // static "Min"
    IDC_SHUTDOWN_SECONDS_UNIT = 1009, // static "Sec"
    IDC_SHUTDOWN_DATE_LABEL = 1010,   // static "Date"
    IDC_SHUTDOWN_TIME_LABEL = 1011,   // static "Time"
    IDC_SHUTDOWN_HOURS_VALUE = 1015,  // static: the hours slider's value
    IDC_SHUTDOWN_MINUTES_VALUE = 1016,
    IDC_SHUTDOWN_SECONDS_VALUE = 1017,
    IDC_SHUTDOWN_RESTART = 1029,   // radio: restart
    IDC_SHUTDOWN_SHUT_DOWN = 1030, // radio: shut down
};

namespace res {
// "Restart and Shut Down", the shutdown scheduler's dialog.
void RegisterShutdownTemplate();
} // namespace res
