#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

class QWindow;

namespace platform {

// Tells when the window manager sets or changes the frame around a window (a new window
// manager, a theme with other borders), so that the window can be placed again for it.
class FrameExtentsWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    explicit FrameExtentsWatcher(QWindow* window);
    ~FrameExtentsWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    // Queued: the window may be placed from it.
    void Changed();

private:
    QWindow* m_window;
    unsigned m_atom = 0;
};

} // namespace platform
