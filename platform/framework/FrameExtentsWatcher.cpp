#include "platform/framework/FrameExtentsWatcher.h"

#include "platform/framework/X11Placement.h"

#include <QCoreApplication>
#include <QWindow>

#include <xcb/xcb.h>

namespace platform {

FrameExtentsWatcher::FrameExtentsWatcher(QWindow* window) : QObject(window), m_window(window)
{
    m_atom = X11Atom("_NET_FRAME_EXTENTS");
    if (m_atom == 0)
        return;
    QCoreApplication::instance()->installNativeEventFilter(this);
}

FrameExtentsWatcher::~FrameExtentsWatcher()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeNativeEventFilter(this);
}

bool FrameExtentsWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (m_atom == 0 || eventType != "xcb_generic_event_t" || !m_window->handle())
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
        return false;
    const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
    if (property->atom == m_atom && property->window == static_cast<xcb_window_t>(m_window->winId()))
        QMetaObject::invokeMethod(this, &FrameExtentsWatcher::Changed, Qt::QueuedConnection);
    return false;
}

} // namespace platform
