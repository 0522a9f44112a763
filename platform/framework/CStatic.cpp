#include "platform/framework/CStatic.h"

#include <QLabel>

bool CStatic::HasPicture() const
{
    const auto* label = qobject_cast<const QLabel*>(GetSafeHwnd());
    return label && !label->pixmap().isNull();
}
