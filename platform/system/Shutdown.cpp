#include "platform/system/Shutdown.h"

#include "platform/system/LogindShutdownService.h"

#include <algorithm>

namespace {

thread_local UINT t_lastError = ERROR_SUCCESS;

platform::ShutdownService*& TestService()
{
    static platform::ShutdownService* service = nullptr;
    return service;
}

platform::ShutdownService& Service()
{
    if (auto* service = TestService()) {
        return *service;
    }
    static platform::LogindShutdownService logind;
    return logind;
}

// Sets the last error from a result and tells whether it was a success.
bool Succeeded(UINT error)
{
    t_lastError = error;
    return error == ERROR_SUCCESS;
}

} // namespace

bool OpenProcessToken(ProcessToken& token)
{
    token.open = Succeeded(Service().Connect());
    return token.open;
}

bool LookupPrivilegeValue(std::string_view name, LUID& luid)
{
    if (name != SE_SHUTDOWN_NAME) {
        return Succeeded(ERROR_NO_SUCH_PRIVILEGE);
    }
    luid.value = 19; // the shutdown privilege's well-known identifier
    return true;
}

bool AdjustTokenPrivileges(const ProcessToken& token, bool enable, platform::ShutdownAction action)
{
    // Disabling holds nothing to release: the right is the system's, asked for on each request.
    // It repeats the check, so a user without the right hears about it on both steps.
    static_cast<void>(enable);
    if (!token.open) {
        return Succeeded(ERROR_INVALID_HANDLE);
    }
    QString answer;
    if (const UINT error = Service().CanShutdown(action, answer); error != ERROR_SUCCESS) {
        return Succeeded(error);
    }
    // "challenge": polkit will ask for a password when the request is made.
    const bool held = answer == QLatin1String("yes") || answer == QLatin1String("challenge");
    return Succeeded(held ? ERROR_SUCCESS : ERROR_NOT_ALL_ASSIGNED);
}

UINT GetLastError()
{
    return t_lastError;
}

bool InitiateSystemShutdown(const CString& message, UINT timeoutSeconds, bool forceAppsClosed, bool reboot)
{
    static_cast<void>(forceAppsClosed);
    const auto action = reboot ? platform::ShutdownAction::Reboot : platform::ShutdownAction::PowerOff;
    // Ten years at most keeps the due time far from overflowing the system's microseconds.
    constexpr UINT maxDelay = 10u * 366u * 24u * 3600u;
    const int delay = static_cast<int>(std::min(timeoutSeconds, maxDelay));
    return Succeeded(Service().ScheduleShutdown(action, message.ToQString(), delay));
}

bool AbortSystemShutdown()
{
    bool wasPending = false;
    if (!Succeeded(Service().CancelScheduledShutdown(wasPending))) {
        return false;
    }
    return wasPending || Succeeded(ERROR_NO_SHUTDOWN_IN_PROGRESS);
}

bool IsSystemShutdownPending(platform::PendingShutdown* pending)
{
    platform::PendingShutdown found;
    if (Service().GetScheduledShutdown(found) != ERROR_SUCCESS || found.type.isEmpty()) {
        return false;
    }
    if (pending) {
        *pending = found;
    }
    return true;
}

namespace platform {
void SetShutdownServiceForTesting(ShutdownService* service)
{
    TestService() = service;
}
} // namespace platform
