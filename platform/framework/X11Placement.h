#pragma once

#include <QRect>

class QWindow;

namespace platform {

// On X11, places a decorated top-level window so that its outer rectangle, frame included, is
// `outer` in the display's own pixels. Qt's geometry is in scaled pixels, and on a scaled
// desktop the frame's pixels seldom divide by the scale: the outer rectangle then comes out
// a pixel or two off. Returns false where this cannot be done (not X11, or the window
// manager has not told the frame's size yet).
bool PlaceOuterRectangle(QWindow* window, const QRect& outer);

} // namespace platform
