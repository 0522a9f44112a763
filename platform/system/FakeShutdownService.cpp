#include "platform/system/FakeShutdownService.h"

namespace platform {

UINT FakeShutdownService::Connect()
{
    calls.push_back({Method::Connect, {}, {}, 0});
    return connectError;
}

UINT FakeShutdownService::CanShutdown(ShutdownAction action, QString& answer)
{
    calls.push_back({Method::CanShutdown, action, {}, 0});
    if (canError == ERROR_SUCCESS) {
        answer = canAnswer;
    }
    return canError;
}

UINT FakeShutdownService::ScheduleShutdown(ShutdownAction action, const QString& message, int delaySeconds)
{
    calls.push_back({Method::ScheduleShutdown, action, message, delaySeconds});
    if (scheduleError != ERROR_SUCCESS) {
        return scheduleError;
    }
    if (canAnswer != QLatin1String("yes") && canAnswer != QLatin1String("challenge")) {
        return ERROR_ACCESS_DENIED;
    }
    pending = true;
    pendingAction = action;
    return ERROR_SUCCESS;
}

UINT FakeShutdownService::CancelScheduledShutdown(bool& wasPending)
{
    calls.push_back({Method::CancelScheduledShutdown, {}, {}, 0});
    if (cancelError != ERROR_SUCCESS) {
        return cancelError;
    }
    wasPending = pending;
    pending = false;
    return ERROR_SUCCESS;
}

UINT FakeShutdownService::GetScheduledShutdown(PendingShutdown& scheduled)
{
    calls.push_back({Method::GetScheduledShutdown, {}, {}, 0});
    scheduled = {};
    if (pending) {
        scheduled.type =
            pendingAction == ShutdownAction::Reboot ? QStringLiteral("reboot") : QStringLiteral("poweroff");
    }
    return ERROR_SUCCESS;
}

std::vector<FakeShutdownService::Call> FakeShutdownService::CallsOf(Method method) const
{
    std::vector<Call> found;
    for (const Call& call : calls) {
        if (call.method == method) {
            found.push_back(call);
        }
    }
    return found;
}

} // namespace platform
