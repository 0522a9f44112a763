#include "platform/framework/Cursor.h"

#include "platform/framework/Resources.h"

#include <QCursor>
#include <QPixmap>

#include <map>
#include <memory>

QPixmap AfxLoadBitmap(UINT id)
{
    return QPixmap(platform::ResourceRegistry::Instance().FindImage(id).path.ToQString());
}

HCURSOR AfxLoadCursor(UINT id)
{
    // Shared for the life of the process, as resource cursors are; never freed, so that
    // no pixmap outlives the application object.
    static auto* cursors = new std::map<UINT, std::unique_ptr<QCursor>>;
    auto it = cursors->find(id);
    if (it == cursors->end()) {
        const auto image = platform::ResourceRegistry::Instance().FindImage(id);
        const QPixmap pixmap(image.path.ToQString());
        std::unique_ptr<QCursor> cursor;
        if (!pixmap.isNull())
            cursor = std::make_unique<QCursor>(pixmap, image.hotSpotX, image.hotSpotY);
        it = cursors->emplace(id, std::move(cursor)).first;
    }
    return it->second.get();
}
