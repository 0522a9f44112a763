#pragma once

// The framework's own command ids and key codes, with the values the program's resources use.
using UINT = unsigned int;
using BOOL = int;
using DWORD = unsigned int;
using LPARAM = long;
inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

enum FrameworkCommand : UINT
{
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};

enum VirtualKey : UINT
{
    VK_RETURN = 0x0D,
    VK_ESCAPE = 0x1B,
};

enum DialogResult
{
    IDOK = 1,
    IDCANCEL = 2,
    IDRETRY = 4,
};

// Window styles the frame understands (the rest of the framework's styles are not used).
enum WindowStyle : UINT
{
    WS_OVERLAPPED = 0x00000000,
    WS_MAXIMIZEBOX = 0x00010000,
    WS_MINIMIZEBOX = 0x00020000,
    WS_THICKFRAME = 0x00040000,
    WS_SYSMENU = 0x00080000,
    WS_CAPTION = 0x00C00000,
    FWS_ADDTOTITLE = 0x00008000,
    WS_OVERLAPPEDWINDOW =
        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX,
};
