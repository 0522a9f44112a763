#include "platform/system/Shutdown.h"

#include "platform/system/LogindShutdownService.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using platform::kUsecPerSecond;
using platform::PendingShutdown;
using platform::ShutdownAction;

thread_local UINT t_lastError = ERROR_SUCCESS;

// A settled due time within this of the delay from now is left as it is.
constexpr quint64 kSettleToleranceUsec = kUsecPerSecond / 4;
// The requests remembered as this program's; a handful covers a request, its settling and one
// left unanswered.
constexpr std::size_t kAskedMax = 8;

// What this program asked the system for. logind keeps no owner of a pending shutdown, so the
// exact due time is what tells this program's request from someone else's.
struct Request
{
    ShutdownAction action;
    quint64 dueUsec;
};
struct OwnRequests
{
    std::vector<Request> asked;
    ShutdownAction action = ShutdownAction::PowerOff;
    bool dryRun = false;
    quint64 delayUsec = 0;
    // A request whose answer never came: once the system holds it, its due time is set anew.
    bool unanswered = false;
    quint64 unansweredDueUsec = 0;
};

OwnRequests& Own()
{
    static OwnRequests own;
    return own;
}

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

void RememberAsked(ShutdownAction action, quint64 dueUsec)
{
    auto& asked = Own().asked;
    asked.push_back({action, dueUsec});
    if (asked.size() > kAskedMax) {
        asked.erase(asked.begin());
    }
}

bool IsOwn(const PendingShutdown& held)
{
    const auto action = held.Action();
    const auto& asked = Own().asked;
    return action && std::any_of(asked.begin(), asked.end(), [&](const Request& own) {
               return own.action == *action && own.dueUsec == held.usec;
           });
}

bool HoldsOwn(platform::ShutdownService& service, PendingShutdown& held)
{
    return service.GetScheduledShutdown(held) == ERROR_SUCCESS && !held.type.isEmpty() && IsOwn(held);
}

// Gives this program's pending request its whole delay from now, when the system holds another
// due time: a password prompt ate part of it, or the due time was set beyond the prompt. The
// authorization just given lets this go without asking again; where the system would ask
// again, the due time it holds stays, and the countdown shows that one.
void Settle(platform::ShutdownService& service)
{
    OwnRequests& own = Own();
    own.unanswered = false;
    PendingShutdown held;
    if (!HoldsOwn(service, held)) {
        return;
    }
    const quint64 target = service.NowUsec() + own.delayUsec;
    const quint64 off = held.usec > target ? held.usec - target : target - held.usec;
    if (off <= kSettleToleranceUsec) {
        return;
    }
    // Remembered first: should the answer get lost, logind may still have taken it.
    RememberAsked(own.action, target);
    service.ScheduleShutdown(own.action, own.dryRun, target, false);
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

bool AdjustTokenPrivileges(ProcessToken& token, bool enable, platform::ShutdownAction action)
{
    if (!token.open) {
        return Succeeded(ERROR_INVALID_HANDLE);
    }
    // Disabling holds nothing to release: the right is the system's, asked for on each request.
    if (enable) {
        platform::ShutdownRight right = platform::ShutdownRight::Refused;
        token.privilege = Service().CanShutdown(action, right);
        if (token.privilege == ERROR_SUCCESS && right == platform::ShutdownRight::Refused) {
            token.privilege = ERROR_NOT_ALL_ASSIGNED;
        }
    }
    return Succeeded(token.privilege);
}

UINT GetLastError()
{
    return t_lastError;
}

bool InitiateSystemShutdown(const CString& message, UINT timeoutSeconds, bool forceAppsClosed, bool reboot)
{
    static_cast<void>(forceAppsClosed);
    platform::ShutdownService& service = Service();
    const auto action = reboot ? ShutdownAction::Reboot : ShutdownAction::PowerOff;
    const bool dryRun = platform::IsShutdownDryRun();
    // Ten years at most keeps the due time far from overflowing the system's microseconds.
    constexpr UINT maxDelay = 10u * 366u * 24u * 3600u;
    const quint64 delayUsec = static_cast<quint64>(std::min(timeoutSeconds, maxDelay)) * kUsecPerSecond;

    // A new request would replace what the system holds: someone else's shutdown (an
    // administrator's "shutdown +10") is refused, as any request is while a shutdown is in
    // progress, and left as it is. This program's own may be replaced.
    PendingShutdown held;
    if (!Succeeded(service.GetScheduledShutdown(held))) {
        return false;
    }
    if (!held.type.isEmpty() && !IsOwn(held)) {
        return Succeeded(ERROR_SHUTDOWN_IN_PROGRESS);
    }

    // logind writes the message only to terminals, and changing it needs an administrator: not
    // worth a password prompt of its own, so a refusal leaves logind's own text in place. A dry
    // run leaves it alone: logind keeps the text for later shutdowns.
    if (!dryRun) {
        service.SetWallMessage(message.ToQString());
    }

    OwnRequests& own = Own();
    own.action = action;
    own.dryRun = dryRun;
    own.delayUsec = delayUsec;
    own.unanswered = false;

    // Where no password is needed the system agrees at once and the delay counts from now.
    quint64 due = service.NowUsec() + delayUsec;
    RememberAsked(action, due);
    UINT error = service.ScheduleShutdown(action, dryRun, due, false);
    if (error == ERROR_ELEVATION_REQUIRED) {
        // polkit wants to ask for a password, and logind takes the due time of the request as
        // it was sent, however long the user types. So this due time lies beyond the longest
        // wait for the answer, and the system cannot act before the countdown is on screen;
        // once it agreed, the delay is given again from then (Settle).
        due = service.NowUsec() + service.InteractiveTimeoutUsec() + delayUsec;
        RememberAsked(action, due);
        error = service.ScheduleShutdown(action, dryRun, due, true);
    }
    if (error == ERROR_TIMEOUT) {
        if (!HoldsOwn(service, held)) {
            // No refusal: logind may still agree. Until the due time of the request has passed
            // a grant is this program's, and it gets its delay once it is seen.
            own.unanswered = true;
            own.unansweredDueUsec = due;
            return Succeeded(ERROR_TIMEOUT);
        }
        error = ERROR_SUCCESS; // the answer got lost, but the system holds the request
    }
    if (error == ERROR_SUCCESS) {
        Settle(service);
    }
    return Succeeded(error);
}

bool AbortSystemShutdown()
{
    platform::ShutdownService& service = Service();
    PendingShutdown held;
    if (!Succeeded(service.GetScheduledShutdown(held))) {
        return false;
    }
    // Someone else's pending shutdown is theirs to cancel.
    if (held.type.isEmpty() || !IsOwn(held)) {
        return Succeeded(ERROR_NO_SHUTDOWN_IN_PROGRESS);
    }
    bool wasPending = false;
    if (!Succeeded(service.CancelScheduledShutdown(wasPending))) {
        return false;
    }
    if (!wasPending) {
        return Succeeded(ERROR_NO_SHUTDOWN_IN_PROGRESS);
    }
    Own() = {};
    return true;
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
bool GetOwnPendingShutdown(PendingShutdown& pending)
{
    ShutdownService& service = Service();
    PendingShutdown held;
    if (!HoldsOwn(service, held)) {
        return false;
    }
    if (Own().unanswered) {
        Settle(service);
        if (!HoldsOwn(service, held)) {
            return false;
        }
    }
    pending = held;
    return true;
}

bool IsShutdownRequestUnanswered()
{
    const OwnRequests& own = Own();
    return own.unanswered && Service().NowUsec() < own.unansweredDueUsec;
}

quint64 ShutdownClockUsec()
{
    return Service().NowUsec();
}

bool IsShutdownDryRun()
{
    const QByteArray value = qgetenv("QUILLON_SHUTDOWN_DRY_RUN");
    return !value.isEmpty() && value != "0";
}

ShutdownService* SetShutdownServiceForTesting(ShutdownService* service)
{
    Own() = {};
    return std::exchange(TestService(), service);
}
} // namespace platform
