#include "platform/system/DesktopNotification.h"

#include "platform/system/FreedesktopNotifications.h"

namespace {
platform::NotificationService*& TestService()
{
    static platform::NotificationService* service = nullptr;
    return service;
}
} // namespace

bool SendDesktopNotification(const CString& summary, const CString& body)
{
    if (auto* service = TestService()) {
        return service->Notify(summary.ToQString(), body.ToQString());
    }
    static platform::FreedesktopNotifications desktop;
    return desktop.Notify(summary.ToQString(), body.ToQString());
}

namespace platform {
void SetNotificationServiceForTesting(NotificationService* service)
{
    TestService() = service;
}
} // namespace platform
