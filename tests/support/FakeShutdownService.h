#pragma once

#include "platform/system/ShutdownService.h"
#include "platform/system/SystemErrors.h"

#include <vector>

namespace platform {

// Stands in for the system's shutdown manager in tests: records every call and answers as
// configured, on a clock that runs with the real one and moves on by the time a password
// prompt takes. An accepted request is pending until it is cancelled or its due time passes.
class FakeShutdownService : public ShutdownService
{
public:
    enum class Method
    {
        Connect,
        CanShutdown,
        SetWallMessage,
        ScheduleShutdown,
        CancelScheduledShutdown,
        GetScheduledShutdown,
    };
    struct Call
    {
        Method method;
        ShutdownAction action = ShutdownAction::PowerOff;
        QString message;
        bool dryRun = false;
        quint64 dueUsec = 0;
        bool interactive = false;
    };

    UINT Connect() override;
    UINT CanShutdown(ShutdownAction action, ShutdownRight& right) override;
    UINT SetWallMessage(const QString& message) override;
    UINT ScheduleShutdown(ShutdownAction action, bool dryRun, quint64 dueUsec, bool interactive) override;
    UINT CancelScheduledShutdown(bool& wasPending) override;
    UINT GetScheduledShutdown(PendingShutdown& scheduled) override;
    quint64 NowUsec() override;
    quint64 InteractiveTimeoutUsec() const override { return interactiveTimeoutUsec; }

    // The calls of one method, in order.
    std::vector<Call> CallsOf(Method method) const;
    // Someone else's pending shutdown, as an administrator's "shutdown" leaves it.
    void ScheduleAsSomeoneElse(const QString& type, quint64 dueUsec);
    // The request whose answer was lost is granted now, secondsLater after the caller gave up.
    void GrantLostRequest(double secondsLater);
    bool Pending() const { return !pending.type.isEmpty(); }

    // Answers. canAnswer "yes" grants every request; "challenge" grants after a password,
    // which only an interactive call may ask for; anything else refuses.
    UINT connectError = ERROR_SUCCESS;
    QString canAnswer = QStringLiteral("yes");
    UINT canError = ERROR_SUCCESS;
    UINT wallError = ERROR_SUCCESS;
    UINT scheduleError = ERROR_SUCCESS;
    UINT cancelError = ERROR_SUCCESS;
    double promptSeconds = 0;       // how long the user takes at the password prompt
    bool promptGranted = true;      // false: the user dismisses it
    bool keepsAuthorization = true; // a password given counts for the calls after it
    bool loseRequestAnswer = false; // an interactive request's answer never arrives
    quint64 interactiveTimeoutUsec = 120 * kUsecPerSecond;

    // State and record.
    PendingShutdown pending;
    bool pendingDryRun = false;
    QString wallMessage;
    qint64 clockOffsetUsec = 0;
    std::vector<Call> calls;

private:
    UINT Authorize(bool interactive);
    QString TypeOf(ShutdownAction action) const;

    bool m_authorized = false;
    PendingShutdown m_lostRequest;
    bool m_lostDryRun = false;
};

} // namespace platform
