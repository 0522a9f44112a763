#pragma once

#include "platform/framework/AfxWin.h"

// Resource and command ids of the program.
enum ResourceId : UINT
{
    IDR_MAINFRAME = 128,
    IDD_ABOUTBOX = 100,
    IDD_SHUTDOWN = 134,
    IDD_NOTEBOOK = 135,
    IDD_HOLIDAYS = 136,
    IDD_TIMER = 139,
    IDD_SYSTEMINFO = 146,
    IDC_HAND = 147,
    IDB_BANNER = 154,
    IDI_CLOCK = 161,
    IDC_BANNER = 1067,
};

enum CommandId : UINT
{
    ID_CLOCK_SHUTDOWN = 32771,
    ID_CLOCK_NOTEBOOK = 32773,
    ID_CLOCK_TIMER = 32774,
    ID_CLOCK_SYSTEMINFO = 32775,
};

enum TimerId : UINT
{
    ID_TIMER_CLOCK = 1,
    ID_TIMER_BIRTHDAYS = 2,
};

namespace res {
// Puts the strings, the menu and the dialog templates into the framework's registry.
void RegisterResources();
} // namespace res
