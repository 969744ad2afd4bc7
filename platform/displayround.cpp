#include "platform/displayround.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

namespace zestora {

void waitForDisplayServer()
{
    // The offscreen platform answers for an X11 interface too, without a connection.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    // Waiting for a reply sends every request still buffered, and the server answers in order:
    // the reply comes once all that went before it is done.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace zestora
