#pragma once

#include <QMargins>
#include <QRect>

#include <optional>

class QWindow;
struct xcb_connection_t;

// What a top-level window asks of an X11 window manager beyond what Qt says for it. All
// rectangles are in the display's own pixels: on a scaled desktop the frame's pixels seldom
// divide by the scale, and Qt's scaled geometry then comes out a pixel or two off. Each call
// does nothing (or returns nothing) where the display is not X11.
namespace platform {

// The display's connection where the program runs on X11; null elsewhere.
xcb_connection_t* X11Connection();
// The display's atom of that name; 0 where there is none.
unsigned X11Atom(const char* name);

// The frame the window manager has put around the window (_NET_FRAME_EXTENTS); nothing until
// it has said.
std::optional<QMargins> FrameExtents(QWindow* window);

// Fixes the client's size at `client` and puts the frame's top-left corner at `frameTopLeft`.
bool PlaceFrame(QWindow* window, QPoint frameTopLeft, QSize client);

// The window may be moved, minimised and closed, but not resized, maximised or made full
// screen: Qt's own Motif hints always allow resizing, which some window managers follow.
void ForbidResizing(QWindow* window);

} // namespace platform
