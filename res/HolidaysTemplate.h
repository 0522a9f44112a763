#pragma once

// Controls of the Holidays dialog (template IDD_HOLIDAYS) that code addresses.
enum HolidaysControlId : int
{
    IDC_HOLIDAYS_TODAY = 1020,       // list box in the group "Today"
    IDC_HOLIDAYS_TOMORROW = 1023,    // list box in the group "Tomorrow"
    IDC_HOLIDAYS_HOURS = 1025,       // edit: hours until the next reminder, 0..12
    IDC_HOLIDAYS_FIRST_NAME = 1034,  // edit: the picked contact's first name
    IDC_HOLIDAYS_LAST_NAME = 1035,   // edit: last name
    IDC_HOLIDAYS_TEL = 1036,         // edit: telephone
    IDC_HOLIDAYS_EMAIL = 1037,       // edit: e-mail
    IDC_HOLIDAYS_TEXT = 1038,        // edit: free text
    IDC_HOLIDAYS_DONT_NOTIFY = 1043, // check box "Don't notify me again"
    IDC_HOLIDAYS_HOURS_SPIN = 1045,  // up-down beside the hours
    IDC_HOLIDAYS_HOURS_AGO = 1047,   // static "hours ago"
    IDC_HOLIDAYS_REMEMBER = 1048,    // static "Remember me "
};

namespace res {
void RegisterHolidaysTemplate(); // dialog 136, "Holidays"
} // namespace res
