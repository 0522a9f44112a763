#include "platform/framework/X11Placement.h"

#include <QGuiApplication>
#include <QWindow>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace platform {

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const auto cookie = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

// _NET_FRAME_EXTENTS: left, right, top, bottom, in the display's pixels.
bool FrameExtents(xcb_connection_t* connection, xcb_window_t window, std::array<std::uint32_t, 4>& extents)
{
    const xcb_atom_t atom = Atom(connection, "_NET_FRAME_EXTENTS");
    if (atom == XCB_ATOM_NONE)
        return false;
    const auto cookie = xcb_get_property(connection, 0, window, atom, XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    const bool found = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16;
    if (found)
        std::memcpy(extents.data(), xcb_get_property_value(reply), sizeof extents);
    std::free(reply);
    return found;
}

// WM_NORMAL_HINTS that fix the client's size and say where the frame goes.
void FixSize(xcb_connection_t* connection, xcb_window_t window, std::uint32_t width, std::uint32_t height)
{
    enum : std::uint32_t
    {
        kUserPosition = 1,
        kProgramPosition = 4,
        kMinSize = 16,
        kMaxSize = 32,
        kGravity = 512,
        kNorthWest = 1, // the frame's top-left corner goes to the requested point
    };
    std::array<std::uint32_t, 18> hints{};
    hints[0] = kUserPosition | kProgramPosition | kMinSize | kMaxSize | kGravity;
    hints[5] = hints[7] = width;
    hints[6] = hints[8] = height;
    hints[17] = kNorthWest;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, hints.size(), hints.data());
}

} // namespace

bool PlaceOuterRectangle(QWindow* window, const QRect& outer)
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !window)
        return false;
    xcb_connection_t* connection = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    std::array<std::uint32_t, 4> extents{};
    if (!FrameExtents(connection, id, extents) || (extents[0] | extents[1] | extents[2] | extents[3]) == 0)
        return false;
    const int width = outer.width() - static_cast<int>(extents[0] + extents[1]);
    const int height = outer.height() - static_cast<int>(extents[2] + extents[3]);
    if (width <= 0 || height <= 0)
        return false;
    FixSize(connection, id, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height));
    const std::array<std::uint32_t, 4> values{
        static_cast<std::uint32_t>(outer.x()), static_cast<std::uint32_t>(outer.y()),
        static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)};
    xcb_configure_window(connection, id,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values.data());
    xcb_flush(connection);
    return true;
}

} // namespace platform
