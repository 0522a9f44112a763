#include "platform/framework/DialogOnScreen.h"

#include "platform/framework/FrameExtentsWatcher.h"
#include "platform/framework/X11Placement.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace platform {

DialogOnScreen::DialogOnScreen(QObject* parent) : QObject(parent)
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool DialogOnScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWindow* window = widget->windowHandle();
    if (!widget->isWindow() || widget->windowType() != Qt::Dialog || !window)
        return false;
    if (!window->findChild<FrameExtentsWatcher*>(QString(), Qt::FindDirectChildrenOnly)) {
        auto* watcher = new FrameExtentsWatcher(window);
        QPointer<QWidget> dialog(widget);
        connect(watcher, &FrameExtentsWatcher::Changed, this, [dialog] {
            if (dialog && dialog->isVisible())
                KeepOnScreen(dialog);
        });
    }
    return false;
}

void DialogOnScreen::KeepOnScreen(QWidget* dialog)
{
    QWindow* window = dialog->windowHandle();
    const auto extents = FrameExtents(window);
    if (!extents || !dialog->screen())
        return;
    const qreal scale = window->devicePixelRatio();
    const auto logical = [scale](int pixels) { return static_cast<int>(std::ceil(pixels / scale)); };
    const QRect frame =
        dialog->geometry().marginsAdded(QMargins(logical(extents->left()), logical(extents->top()),
                                                 logical(extents->right()), logical(extents->bottom())));
    const QRect area = dialog->screen()->availableGeometry();
    // Where the frame is larger than the area, its top-left corner (title bar and menu) shows.
    const QPoint corner(std::max(area.left(), std::min(frame.left(), area.right() + 1 - frame.width())),
                        std::max(area.top(), std::min(frame.top(), area.bottom() + 1 - frame.height())));
    if (corner != frame.topLeft())
        dialog->move(corner);
}

} // namespace platform
