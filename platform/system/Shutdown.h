#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"
#include "platform/system/ShutdownService.h"
#include "platform/system/SystemErrors.h"

#include <string_view>

// The program's shutdown calls on top of the system's shutdown manager (systemd-logind). A
// process token stands for a reachable manager, the shutdown privilege for the user's right to
// power off or reboot (granted outright or after a password), and the pending shutdown is held
// by the system, not by the program.

inline constexpr std::string_view SE_SHUTDOWN_NAME = "SeShutdownPrivilege";

struct ProcessToken
{
    bool open = false;
    UINT privilege = ERROR_NOT_ALL_ASSIGNED; // what enabling the privilege last found
};

// The system's identifier of a privilege.
struct LUID
{
    UINT value = 0;
};

// Opens the token: true when the shutdown manager can be reached; on failure token stays
// closed and GetLastError tells why.
bool OpenProcessToken(ProcessToken& token);

// Only the shutdown privilege is known; any other name fails with ERROR_NO_SUCH_PRIVILEGE.
bool LookupPrivilegeValue(std::string_view name, LUID& luid);

// Enabling checks that the user may carry out the action now; disabling changes nothing and
// answers what enabling found, so a user without the right hears of it on both steps. Sets the
// last error to ERROR_SUCCESS when the right is held, ERROR_NOT_ALL_ASSIGNED when it is not,
// ERROR_INVALID_HANDLE for a token that is not open.
bool AdjustTokenPrivileges(ProcessToken& token, bool enable,
                           platform::ShutdownAction action = platform::ShutdownAction::PowerOff);

// The error code of the last failed call on this thread (ERROR_SUCCESS after a privilege
// change that worked).
UINT GetLastError();

// Asks the system to power off, or reboot, timeoutSeconds from the moment it agrees, showing
// message. The system's shutdown is always orderly, so forceAppsClosed changes nothing. False
// with the last error set when the system refuses, when the system does not answer in time
// (ERROR_TIMEOUT: it may still agree later, see IsShutdownRequestUnanswered), and when it
// holds a shutdown that this program did not ask for (ERROR_SHUTDOWN_IN_PROGRESS), which is
// left as it is. With QUILLON_SHUTDOWN_DRY_RUN set to anything but "" or "0" the system only
// counts down, and its stored wall message is left alone.
bool InitiateSystemShutdown(const CString& message, UINT timeoutSeconds, bool forceAppsClosed, bool reboot);

// Cancels this program's pending shutdown; false when none is pending
// (ERROR_NO_SHUTDOWN_IN_PROGRESS, also when the pending one is someone else's, which is left as
// it is) or the system refused.
bool AbortSystemShutdown();

// Whether the system holds a pending shutdown, and which (when pending is given); false also
// when that cannot be asked.
bool IsSystemShutdownPending(platform::PendingShutdown* pending = nullptr);

namespace platform {
// The pending shutdown that this program asked for, with the due time the system holds now;
// false when the system holds none of this program's. A request that was granted after its
// answer had timed out is first given its whole delay from now.
bool GetOwnPendingShutdown(PendingShutdown& pending);
// A request of this program went unanswered and could still be granted.
bool IsShutdownRequestUnanswered();
// Now on the clock the system's due times count in, in microseconds.
quint64 ShutdownClockUsec();
// QUILLON_SHUTDOWN_DRY_RUN asks for a dry run: any value but empty or "0", so that a mistyped
// value never powers off.
bool IsShutdownDryRun();

// Tests put a fake in place of the system's shutdown manager; nullptr brings the real one
// back. The caller keeps ownership. Either way no earlier request counts as this program's.
// Returns the service it replaces.
ShutdownService* SetShutdownServiceForTesting(ShutdownService* service);
} // namespace platform
