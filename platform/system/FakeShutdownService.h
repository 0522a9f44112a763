#pragma once

#include "platform/system/ShutdownService.h"
#include "platform/system/SystemErrors.h"

#include <vector>

namespace platform {

// Stands in for the system's shutdown manager in tests: records every call and answers as
// configured. A request that is accepted becomes pending until it is cancelled; the pending
// one reads with its type and a due time of 0.
class FakeShutdownService : public ShutdownService
{
public:
    enum class Method
    {
        Connect,
        CanShutdown,
        ScheduleShutdown,
        CancelScheduledShutdown,
        GetScheduledShutdown,
    };
    struct Call
    {
        Method method;
        ShutdownAction action = ShutdownAction::PowerOff;
        QString message;
        int delaySeconds = 0;
    };

    UINT Connect() override;
    UINT CanShutdown(ShutdownAction action, QString& answer) override;
    UINT ScheduleShutdown(ShutdownAction action, const QString& message, int delaySeconds) override;
    UINT CancelScheduledShutdown(bool& wasPending) override;
    UINT GetScheduledShutdown(PendingShutdown& scheduled) override;

    // The calls of one method, in order.
    std::vector<Call> CallsOf(Method method) const;

    // Answers. A refused request (scheduleError set, or canAnswer not "yes"/"challenge")
    // leaves nothing pending.
    UINT connectError = ERROR_SUCCESS;
    QString canAnswer = QStringLiteral("yes");
    UINT canError = ERROR_SUCCESS;
    UINT scheduleError = ERROR_SUCCESS;
    UINT cancelError = ERROR_SUCCESS;

    // State and record.
    bool pending = false;
    ShutdownAction pendingAction = ShutdownAction::PowerOff;
    std::vector<Call> calls;
};

} // namespace platform
