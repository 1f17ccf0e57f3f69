#include "platform/session/SystemActions/XScreenSaverSuspend.h"

#include "platform/session/SystemActions/ActionsLog.h"

#include <cstdlib>
#include <xcb/screensaver.h>
#include <xcb/xcb.h>

namespace vellaro {

struct XScreenSaverSuspend::Connection {
    xcb_connection_t* xcb = nullptr;
    ~Connection() {
        if (xcb)
            xcb_disconnect(xcb);
    }
};

XScreenSaverSuspend::XScreenSaverSuspend() = default;
XScreenSaverSuspend::~XScreenSaverSuspend() = default;

bool XScreenSaverSuspend::suspend() {
    if (connection_)
        return true;
    auto connection = std::make_unique<Connection>();
    connection->xcb = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection->xcb)) {
        qCInfo(lcActions, "No X display for the screen saver");
        return false;
    }
    const xcb_query_extension_reply_t* extension =
        xcb_get_extension_data(connection->xcb, &xcb_screensaver_id);
    if (!extension || !extension->present) {
        qCInfo(lcActions, "The X server has no MIT-SCREEN-SAVER extension");
        return false;
    }
    // The extension wants its version asked before the first request.
    std::free(xcb_screensaver_query_version_reply(
        connection->xcb, xcb_screensaver_query_version(connection->xcb, 1, 1), nullptr));
    xcb_generic_error_t* error =
        xcb_request_check(connection->xcb, xcb_screensaver_suspend_checked(connection->xcb, 1));
    if (error) {
        qCInfo(lcActions, "The X server refused to suspend its screen saver (error %d)",
               int(error->error_code));
        std::free(error);
        return false;
    }
    connection_ = std::move(connection);
    return true;
}

void XScreenSaverSuspend::resume() {
    // Closing the connection ends the suspension.
    connection_.reset();
}

} // namespace vellaro
