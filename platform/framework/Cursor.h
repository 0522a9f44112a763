#pragma once

#include "platform/framework/AfxWin.h"

class QCursor;
class QPixmap;

// A cursor the program loaded; shared, never destroyed by whoever holds it.
using HCURSOR = const QCursor*;

// The picture resource with this id (see ResourceRegistry::RegisterImage); null pixmap
// when it is not found.
QPixmap AfxLoadBitmap(UINT id);
// Cursor resource id, with its registered hot spot; null when the picture is not found.
HCURSOR AfxLoadCursor(UINT id);
