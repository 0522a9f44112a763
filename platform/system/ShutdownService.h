#pragma once

#include "platform/framework/AfxWin.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace platform {

enum class ShutdownAction
{
    PowerOff,
    Reboot,
};

inline constexpr quint64 kUsecPerSecond = 1000000u;

// May this user start an action: at once, after a password (polkit asks when the request is
// made), or not at all.
enum class ShutdownRight
{
    Granted,
    AfterPassword,
    Refused,
};

// logind's answer to CanPowerOff or CanReboot: "yes", "challenge", "no" or "na".
inline ShutdownRight RightOf(const QString& answer)
{
    if (answer == QLatin1String("yes"))
        return ShutdownRight::Granted;
    return answer == QLatin1String("challenge") ? ShutdownRight::AfterPassword : ShutdownRight::Refused;
}

// A shutdown the system holds: its type as the system names it ("poweroff", "reboot", "halt";
// some logind versions put "dry-" before a dry run's, others do not tell it apart) and when it
// is due, in microseconds of the real-time clock.
struct PendingShutdown
{
    QString type;
    quint64 usec = 0;

    // The action it carries out, a dry run's ("dry-poweroff") too; none for another type
    // ("halt") and when nothing is pending.
    std::optional<ShutdownAction> Action() const
    {
        QStringView name(type);
        if (name.startsWith(QLatin1String("dry-")))
            name = name.mid(4);
        if (name == QLatin1String("poweroff"))
            return ShutdownAction::PowerOff;
        if (name == QLatin1String("reboot"))
            return ShutdownAction::Reboot;
        return std::nullopt;
    }
};

// What the shutdown functions need of the system. Every call answers an error code of
// SystemErrors.h, ERROR_SUCCESS when it worked; results come back through the references.
class ShutdownService
{
public:
    virtual ~ShutdownService() = default;

    // The system's shutdown manager can be reached at all.
    virtual UINT Connect() = 0;
    // May this user start the action.
    virtual UINT CanShutdown(ShutdownAction action, ShutdownRight& right) = 0;
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
