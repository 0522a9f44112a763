#pragma once

#include "platform/system/NotificationService.h"

namespace platform {

// org.freedesktop.Notifications on the session bus. The bus starts a server that is installed
// but not yet running; nothing waits for it. The server's capabilities are asked first, so
// that a body goes out escaped to a server that reads markup in it.
class FreedesktopNotifications : public NotificationService
{
public:
    bool Notify(const QString& summary, const QString& body) override;

    // The theme icon the notifications carry (by default none). Their desktop-entry hint is
    // the application's desktop file name (QGuiApplication::desktopFileName).
    void SetIconName(const QString& iconName) { m_iconName = iconName; }

private:
    QString m_iconName;
};

} // namespace platform
