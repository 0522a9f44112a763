#pragma once

#include "platform/system/NotificationService.h"

#include <vector>

namespace platform {

// Records the notifications tests send; available = false plays a desktop without a service.
class FakeNotificationService : public NotificationService
{
public:
    struct Notification
    {
        QString summary;
        QString body;
    };

    bool Notify(const QString& summary, const QString& body) override
    {
        if (!available) {
            return false;
        }
        sent.push_back({summary, body});
        return true;
    }

    bool available = true;
    std::vector<Notification> sent;
};

} // namespace platform
