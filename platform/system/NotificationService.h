#pragma once

#include <QString>

namespace platform {

// The desktop's notification service, as SendDesktopNotification needs it.
class NotificationService
{
public:
    virtual ~NotificationService() = default;

    // Hands a notification to the service without waiting for it; false when it cannot even
    // be sent.
    virtual bool Notify(const QString& summary, const QString& body) = 0;
};

} // namespace platform
