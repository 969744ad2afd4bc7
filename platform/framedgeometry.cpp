#include "platform/framedgeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <array>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace zestora {

namespace {
xcb_connection_t* xConnection()
{
    // The offscreen platform answers for an X11 interface too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return found;
}

QRect freeArea()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}
} // namespace

void FramedGeometry::ask(QWidget* window)
{
    xcb_connection_t* connection = xConnection();
    if (!connection)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    // The window manager frames a maximized window otherwise (no borders at the sides), and reads
    // the state from the window; Qt writes it only as the window maps. It writes the same then.
    const std::array<xcb_atom_t, 2> maximized{atom(connection, "_NET_WM_STATE_MAXIMIZED_HORZ"),
                                              atom(connection, "_NET_WM_STATE_MAXIMIZED_VERT")};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, atom(connection, "_NET_WM_STATE"),
                        XCB_ATOM_ATOM, 32, maximized.size(), maximized.data());
    xcb_client_message_event_t request{};
    request.response_type = XCB_CLIENT_MESSAGE;
    request.format = 32;
    request.window = id;
    request.type = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&request));
    xcb_flush(connection);
}

QRect FramedGeometry::take(QWidget* window)
{
    QRect area = freeArea();
    xcb_connection_t* connection = xConnection();
    if (!connection)
        return area;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->winId()),
                         atom(connection, "_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
        nullptr);
    // Left, right, top and bottom, as the window manager wrote them.
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 16) {
        std::array<uint32_t, 4> extents{};
        std::memcpy(extents.data(), xcb_get_property_value(reply), sizeof extents);
        area.adjust(int(extents[0]), int(extents[2]), -int(extents[1]), -int(extents[3]));
    }
    std::free(reply);
    return area;
}

} // namespace zestora
