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

// A shutdown the system holds: its type as the system names it and when it is due, in
// microseconds of the real-time clock.
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
    // Shows the message and has the system carry out the action after delaySeconds; the
    // system keeps the request after the caller is gone. A new request replaces a pending one.
    virtual UINT ScheduleShutdown(ShutdownAction action, const QString& message, int delaySeconds) = 0;
    // Cancels the pending request; wasPending tells whether there was one.
    virtual UINT CancelScheduledShutdown(bool& wasPending) = 0;
    // The pending request; an empty type when there is none.
    virtual UINT GetScheduledShutdown(PendingShutdown& pending) = 0;
};

} // namespace platform
