#pragma once

#include "platform/framework/AfxWin.h"

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's pictures, found by resource id (IDB_BANNER, IDI_CLOCK, IDC_HAND).
namespace res {

constexpr int kHandHotSpotX = 5; // the tip of the index finger
constexpr int kHandHotSpotY = 0;

// A null pixmap for an id that is no bitmap.
QPixmap LoadBitmapResource(UINT id);
// The clock at 32 x 32 and its larger and smaller sizes; a null icon for any other id.
QIcon LoadIconResource(UINT id);
// The hand with its hot spot; the ordinary arrow when the id is no cursor or can't be loaded.
QCursor LoadCursorResource(UINT id);

// Makes the pictures reachable under ":/res/" (done by the loaders and at start-up).
void InitImageResources();

} // namespace res
