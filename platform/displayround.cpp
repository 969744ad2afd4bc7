#include "platform/displayround.h"

#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

namespace zestora {

void waitForDisplayServer()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    // Waiting for a reply sends every request still buffered, and the server answers in order:
    // the reply comes once all that went before it is done.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

} // namespace zestora
