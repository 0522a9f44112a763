#include "res/Images.h"

#include "platform/framework/Resources.h"

#include "res/Resource.h"

#include <mutex>

// Outside any namespace, as the resource initializer's name demands. Calling it also keeps
// the resource data linked when this library is linked statically.
static void InitQuillonQrc()
{
    Q_INIT_RESOURCE(quillon);
}

namespace res {

void InitImageResources()
{
    static std::once_flag once;
    std::call_once(once, [] {
        InitQuillonQrc();
        // The framework finds pictures and cursors of dialog templates by id.
        auto& registry = platform::ResourceRegistry::Instance();
        registry.RegisterImage(IDB_BANNER, ":/res/banner.png");
        registry.RegisterImage(IDI_CLOCK, ":/res/clock.png");
        registry.RegisterImage(IDC_HAND, ":/res/hand.png", kHandHotSpotX, kHandHotSpotY);
    });
}

QPixmap LoadBitmapResource(UINT id)
{
    InitImageResources();
    if (id == IDB_BANNER)
        return QPixmap(QStringLiteral(":/res/banner.png"));
    return {};
}

QIcon LoadIconResource(UINT id)
{
    InitImageResources();
    if (id != IDI_CLOCK)
        return {};
    QIcon icon;
    icon.addFile(QStringLiteral(":/res/clock-16.png"));
    icon.addFile(QStringLiteral(":/res/clock.png"));
    for (int size : {48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/res/clock-%1.png").arg(size));
    return icon;
}

QCursor LoadCursorResource(UINT id)
{
    InitImageResources();
    if (id != IDC_HAND)
        return QCursor(Qt::ArrowCursor);
    const QPixmap hand(QStringLiteral(":/res/hand.png"));
    if (hand.isNull())
        return QCursor(Qt::ArrowCursor);
    return QCursor(hand, kHandHotSpotX, kHandHotSpotY);
}

} // namespace res
