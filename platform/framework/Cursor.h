#pragma once

#include "platform/framework/AfxWin.h"

class QCursor;
class QWidget;
class QPixmap;

// A cursor the program loaded; shared, never destroyed by whoever holds it.
using HCURSOR = const QCursor*;

// The picture resource with this id (see ResourceRegistry::RegisterImage); null pixmap
// when it is not found.
QPixmap AfxLoadBitmap(UINT id);
// Cursor resource id, with its registered hot spot; null when the picture is not found.
HCURSOR AfxLoadCursor(UINT id);
// Inside OnSetCursor: the cursor to show over the control (null: the ordinary one).
// Returns the previous one.
HCURSOR SetCursor(HCURSOR cursor);

namespace platform {
// While one lives, SetCursor shows its cursor over this widget: the control whose
// OnSetCursor the dialog is asking.
class CursorTarget
{
public:
    explicit CursorTarget(QWidget* widget);
    ~CursorTarget();
    CursorTarget(const CursorTarget&) = delete;
    CursorTarget& operator=(const CursorTarget&) = delete;

private:
    QWidget* m_previous;
};
} // namespace platform
