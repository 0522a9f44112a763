#include "platform/system/DesktopNotification.h"

#include "platform/system/FreedesktopNotifications.h"

#include <utility>

namespace {
platform::NotificationService*& TestService()
{
    static platform::NotificationService* service = nullptr;
    return service;
}

platform::FreedesktopNotifications& Desktop()
{
    static platform::FreedesktopNotifications desktop;
    return desktop;
}
} // namespace

bool SendDesktopNotification(const CString& summary, const CString& body)
{
    if (auto* service = TestService()) {
        return service->Notify(summary.ToQString(), body.ToQString());
    }
    return Desktop().Notify(summary.ToQString(), body.ToQString());
}

void SetDesktopNotificationIcon(const CString& iconName)
{
    Desktop().SetIconName(iconName.ToQString());
}

namespace platform {
NotificationService* SetNotificationServiceForTesting(NotificationService* service)
{
    return std::exchange(TestService(), service);
}
} // namespace platform
