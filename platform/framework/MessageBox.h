#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"

#include <functional>

enum MessageBoxType : UINT
{
    MB_OK = 0x0,
    MB_RETRYCANCEL = 0x5,
    MB_ICONHAND = 0x10,
    MB_ICONEXCLAMATION = 0x30,
};

// A modal message box captioned with the application's title. Its loop keeps the program's
// timers running. Returns the button pressed: IDOK, or IDRETRY / IDCANCEL.
int AfxMessageBox(const CString& text, UINT type = MB_OK);

namespace platform {
// Tests answer message boxes without a window and record their texts; an empty function
// brings the boxes back. Returns the handler it replaces.
using MessageBoxHandler = std::function<int(const CString& text, UINT type)>;
MessageBoxHandler SetMessageBoxHandlerForTesting(MessageBoxHandler handler);
} // namespace platform
