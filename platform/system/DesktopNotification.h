#pragma once

#include "platform/framework/CString.h"
#include "platform/system/NotificationService.h"

// Shows a notification on the desktop, from the application named by the application object,
// with its icon and desktop entry. A notification server that is installed but not running is
// started by the bus; without any the notification is dropped. Never waits for the server.
// Returns false only when there is no session bus to send it on.
bool SendDesktopNotification(const CString& summary, const CString& body);

// The icon theme's name of the program's icon, which its notifications carry.
void SetDesktopNotificationIcon(const CString& iconName);

namespace platform {
// Tests put a fake in place of the desktop's service; nullptr brings the real one back. The
// caller keeps ownership. Returns the service it replaces.
NotificationService* SetNotificationServiceForTesting(NotificationService* service);
} // namespace platform
