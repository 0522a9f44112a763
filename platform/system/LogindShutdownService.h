#pragma once

#include "platform/system/ShutdownService.h"

namespace platform {

// The shutdown manager of systemd: org.freedesktop.login1 on the system bus. Requests that
// polkit may have to confirm allow it to ask for a password. QUILLON_SHUTDOWN_DRY_RUN=1 in the
// environment asks for logind's dry runs, which count down and then do nothing.
class LogindShutdownService : public ShutdownService
{
public:
    UINT Connect() override;
    UINT CanShutdown(ShutdownAction action, QString& answer) override;
    UINT ScheduleShutdown(ShutdownAction action, const QString& message, int delaySeconds) override;
    UINT CancelScheduledShutdown(bool& wasPending) override;
    UINT GetScheduledShutdown(PendingShutdown& pending) override;
};

} // namespace platform
