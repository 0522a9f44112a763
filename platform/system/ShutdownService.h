#pragma once

#include "platform/framework/AfxWin.h"

#include <QString>
#include <QtGlobal>

namespace platform {

enum class ShutdownAction
{
    PowerOff,
    Reboot,
};

inline constexpr quint64 kUsecPerSecond = 1000000u;

// A shutdown the system holds: its type as the system names it ("poweroff", "reboot", "halt";
// logind does not tell a dry run apart) and when it is due, in microseconds of the real-time
// clock.
struct PendingShutdown
{
    QString type;
    quint64 usec = 0;
};

// What the shutdown functions need of the system. Every call answers an error code of
// SystemErrors.h, ERROR_SUCCESS when it worked; results come back through the references.
class ShutdownService
{
public:
    virtual ~ShutdownService() = default;

    // The system's shutdown manager can be reached at all.
    virtual UINT Connect() = 0;
    // May this user start the action: "yes", "challenge" (after asking for a password), "no"
    // or "na".
    virtual UINT CanShutdown(ShutdownAction action, QString& answer) = 0;
    // The text the system writes to terminals with its own shutdown warnings.
    virtual UINT SetWallMessage(const QString& message) = 0;
    // Has the system carry out the action at dueUsec (real-time clock), or with dryRun count
    // down to it and do nothing; the system keeps the request after the caller is gone and a
    // new request replaces a pending one. Without interactive the system may not ask for a
    // password and answers ERROR_ELEVATION_REQUIRED where it would; with it the call waits
    // for the user, at most InteractiveTimeoutUsec.
    virtual UINT ScheduleShutdown(ShutdownAction action, bool dryRun, quint64 dueUsec, bool interactive) = 0;
    // Cancels the pending request (the system may ask for a password); wasPending tells
    // whether there was one.
    virtual UINT CancelScheduledShutdown(bool& wasPending) = 0;
    // The pending request; an empty type when there is none.
    virtual UINT GetScheduledShutdown(PendingShutdown& pending) = 0;
    // Now on the clock the due times count in.
    virtual quint64 NowUsec() = 0;
    // How long a call that may ask for a password waits for its answer.
    virtual quint64 InteractiveTimeoutUsec() const = 0;
};

} // namespace platform
