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
        // The clock in every size the icon theme has; the main frame's icon is every window's.
        const std::vector<const char*> clock{":/res/clock-16.png",  ":/res/clock.png",
                                             ":/res/clock-48.png",  ":/res/clock-64.png",
                                             ":/res/clock-128.png", ":/res/clock-256.png"};
        registry.RegisterIcon(IDI_CLOCK, clock);
        registry.RegisterIcon(IDR_MAINFRAME, clock);
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
    for (const char* file : platform::ResourceRegistry::Instance().FindIcon(id))
        icon.addFile(QString::fromUtf8(file));
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
