#pragma once

#include "platform/framework/AfxWin.h"

// The error codes GetLastError hands out, with the values the program's own platform uses, so
// a code seen in a message or a log means the same thing on both.
enum SystemError : UINT
{
    ERROR_SUCCESS = 0,
    ERROR_ACCESS_DENIED = 5,
    ERROR_INVALID_HANDLE = 6,
    ERROR_GEN_FAILURE = 31,
    ERROR_ELEVATION_REQUIRED = 740,
    ERROR_SERVICE_NOT_ACTIVE = 1062,
    ERROR_SHUTDOWN_IN_PROGRESS = 1115,
    ERROR_NO_SHUTDOWN_IN_PROGRESS = 1116,
    ERROR_NOT_ALL_ASSIGNED = 1300,
    ERROR_NO_SUCH_PRIVILEGE = 1313,
    ERROR_TIMEOUT = 1460,
};
