#pragma once

#include "platform/system/NotificationService.h"

namespace platform {

// org.freedesktop.Notifications on the session bus. Only a service that already runs is used:
// the name is checked first so that asking never starts one.
class FreedesktopNotifications : public NotificationService
{
public:
    bool Notify(const QString& summary, const QString& body) override;
};

} // namespace platform
