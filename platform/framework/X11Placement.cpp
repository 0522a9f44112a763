#include "platform/framework/X11Placement.h"

#include <QGuiApplication>
#include <QWindow>

#include <algorithm>
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

xcb_connection_t* X11Connection()
{
    // Other platforms (offscreen among them) may answer for X11 with no connection of their own.
    if (!qGuiApp || QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

unsigned X11Atom(const char* name)
{
    xcb_connection_t* connection = X11Connection();
    return connection ? Atom(connection, name) : 0;
}

std::optional<QMargins> FrameExtents(QWindow* window)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection || !window || !window->handle())
        return std::nullopt;
    const xcb_atom_t atom = Atom(connection, "_NET_FRAME_EXTENTS");
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    const auto cookie = xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()), atom,
                                         XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    std::optional<QMargins> extents;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        // left, right, top, bottom
        std::array<std::uint32_t, 4> value{};
        std::memcpy(value.data(), xcb_get_property_value(reply), sizeof value);
        const auto side = [](std::uint32_t pixels) {
            return static_cast<int>(std::min<std::uint32_t>(pixels, 4096));
        };
        extents = QMargins(side(value[0]), side(value[2]), side(value[1]), side(value[3]));
    }
    std::free(reply);
    return extents;
}

bool PlaceFrame(QWindow* window, QPoint frameTopLeft, QSize client)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection || !window || client.isEmpty())
        return false;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const auto width = static_cast<std::uint32_t>(client.width());
    const auto height = static_cast<std::uint32_t>(client.height());
    FixSize(connection, id, width, height);
    const std::array<std::uint32_t, 4> values{static_cast<std::uint32_t>(frameTopLeft.x()),
                                              static_cast<std::uint32_t>(frameTopLeft.y()), width, height};
    xcb_configure_window(connection, id,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH |
                             XCB_CONFIG_WINDOW_HEIGHT,
                         values.data());
    xcb_flush(connection);
    return true;
}

void ForbidResizing(QWindow* window)
{
    xcb_connection_t* connection = X11Connection();
    if (!connection || !window)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const xcb_atom_t atom = Atom(connection, "_MOTIF_WM_HINTS");
    if (atom == XCB_ATOM_NONE)
        return;
    enum : std::uint32_t
    {
        kFunctions = 1,
        kDecorations = 2,
        kMove = 4,
        kMinimize = 8,
        kClose = 32,
        kBorder = 2,
        kTitle = 8,
        kMenu = 16,
        kMinimizeButton = 32,
    };
    // flags, functions, decorations, input mode, status
    const bool minimizable = window->flags().testFlag(Qt::WindowMinimizeButtonHint);
    const std::uint32_t functions = kMove | kClose | (minimizable ? std::uint32_t{kMinimize} : 0U);
    const std::uint32_t decorations =
        kBorder | kTitle | kMenu | (minimizable ? std::uint32_t{kMinimizeButton} : 0U);
    // flags, functions, decorations, input mode, status
    const std::array<std::uint32_t, 5> hints{kFunctions | kDecorations, functions, decorations, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom, atom, 32, hints.size(), hints.data());
    xcb_flush(connection);
}

} // namespace platform
