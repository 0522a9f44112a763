#pragma once

#include "platform/system/ShutdownService.h"

namespace platform {

// The shutdown manager of systemd: org.freedesktop.login1 on the system bus. Requests that
// polkit may have to confirm allow it to ask for a password when the caller says so.
class LogindShutdownService : public ShutdownService
{
public:
    // logind itself gives up on polkit's answer after 25 s (its bus's default call timeout)
    // and then refuses, so a request that may ask for a password waits longer than that and
    // gets logind's own answer.
    static constexpr int kDefaultInteractiveTimeoutMs = 120000;

    explicit LogindShutdownService(int interactiveTimeoutMs = kDefaultInteractiveTimeoutMs)
        : m_interactiveTimeoutMs(interactiveTimeoutMs)
    {}

    UINT Connect() override;
    UINT CanShutdown(ShutdownAction action, ShutdownRight& right) override;
    UINT SetWallMessage(const QString& message) override;
    UINT ScheduleShutdown(ShutdownAction action, bool dryRun, quint64 dueUsec, bool interactive) override;
    UINT CancelScheduledShutdown(bool& wasPending) override;
    UINT GetScheduledShutdown(PendingShutdown& pending) override;
    quint64 NowUsec() override;
    quint64 InteractiveTimeoutUsec() const override;

private:
    int m_interactiveTimeoutMs;
};

} // namespace platform
