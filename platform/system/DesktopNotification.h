#pragma once

#include "platform/framework/CString.h"
#include "platform/system/NotificationService.h"

// Shows a notification on the desktop, from the application named by the application object.
// Returns false, sending nothing, when no notification service runs; never starts one and never
// waits long for an answer.
bool SendDesktopNotification(const CString& summary, const CString& body);

namespace platform {
// Tests put a fake in place of the desktop's service; nullptr brings the real one back. The
// caller keeps ownership.
void SetNotificationServiceForTesting(NotificationService* service);
} // namespace platform
