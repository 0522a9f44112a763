#include "tests/support/FakeShutdownService.h"

#include <ctime>

namespace platform {

UINT FakeShutdownService::Connect()
{
    calls.push_back({Method::Connect, {}, {}, false, 0, false});
    return connectError;
}

UINT FakeShutdownService::CanShutdown(ShutdownAction action, ShutdownRight& right)
{
    calls.push_back({Method::CanShutdown, action, {}, false, 0, false});
    if (canError == ERROR_SUCCESS) {
        right = RightOf(canAnswer);
    }
    return canError;
}

UINT FakeShutdownService::SetWallMessage(const QString& message)
{
    calls.push_back({Method::SetWallMessage, {}, message, false, 0, false});
    if (wallError == ERROR_SUCCESS) {
        wallMessage = message;
    }
    return wallError;
}

UINT FakeShutdownService::Authorize(bool interactive)
{
    const ShutdownRight right = RightOf(canAnswer);
    if (right == ShutdownRight::Granted || (right == ShutdownRight::AfterPassword && m_authorized)) {
        return ERROR_SUCCESS;
    }
    if (right == ShutdownRight::Refused) {
        return ERROR_ACCESS_DENIED;
    }
    if (!interactive) {
        return ERROR_ELEVATION_REQUIRED;
    }
    clockOffsetUsec += static_cast<qint64>(promptSeconds * 1e6);
    if (!promptGranted) {
        return ERROR_ACCESS_DENIED;
    }
    m_authorized = keepsAuthorization;
    return ERROR_SUCCESS;
}

QString FakeShutdownService::TypeOf(ShutdownAction action) const
{
    return action == ShutdownAction::Reboot ? QStringLiteral("reboot") : QStringLiteral("poweroff");
}

UINT FakeShutdownService::ScheduleShutdown(ShutdownAction action, bool dryRun, quint64 dueUsec,
                                           bool interactive)
{
    calls.push_back({Method::ScheduleShutdown, action, {}, dryRun, dueUsec, interactive});
    if (scheduleError != ERROR_SUCCESS) {
        return scheduleError;
    }
    if (interactive && loseRequestAnswer) {
        // The caller gives up after its timeout; the system decides later.
        clockOffsetUsec += static_cast<qint64>(interactiveTimeoutUsec);
        m_lostRequest = {TypeOf(action), dueUsec};
        m_lostDryRun = dryRun;
        return ERROR_TIMEOUT;
    }
    if (const UINT error = Authorize(interactive); error != ERROR_SUCCESS) {
        return error;
    }
    pending = {TypeOf(action), dueUsec};
    pendingDryRun = dryRun;
    return ERROR_SUCCESS;
}

void FakeShutdownService::GrantLostRequest(double secondsLater)
{
    clockOffsetUsec += static_cast<qint64>(secondsLater * 1e6);
    pending = m_lostRequest;
    pendingDryRun = m_lostDryRun;
    m_authorized = keepsAuthorization;
}

void FakeShutdownService::ScheduleAsSomeoneElse(const QString& type, quint64 dueUsec)
{
    pending = {type, dueUsec};
    pendingDryRun = false;
}

UINT FakeShutdownService::CancelScheduledShutdown(bool& wasPending)
{
    calls.push_back({Method::CancelScheduledShutdown, {}, {}, false, 0, true});
    if (cancelError != ERROR_SUCCESS) {
        return cancelError;
    }
    PendingShutdown held;
    GetScheduledShutdown(held);
    calls.pop_back(); // that look was the fake's own
    wasPending = !held.type.isEmpty();
    if (!wasPending) {
        return ERROR_SUCCESS;
    }
    if (const UINT error = Authorize(true); error != ERROR_SUCCESS) {
        return error;
    }
    pending = {};
    return ERROR_SUCCESS;
}

UINT FakeShutdownService::GetScheduledShutdown(PendingShutdown& scheduled)
{
    calls.push_back({Method::GetScheduledShutdown, {}, {}, false, 0, false});
    // Once due, the system acts (a dry run only forgets the request).
    if (Pending() && pending.usec <= NowUsec()) {
        pending = {};
    }
    scheduled = pending;
    return ERROR_SUCCESS;
}

quint64 FakeShutdownService::NowUsec()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const auto real = static_cast<qint64>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
    return static_cast<quint64>(real + clockOffsetUsec);
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
