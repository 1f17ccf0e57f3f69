#include "platform/input/XcbButtonGrabber.h"

#include "platform/input/Logging.h"
#include "platform/input/MouseButtonTable.h"
#include "platform/input/QtXcbConnection.h"

#include <QAbstractEventDispatcher>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

XcbButtonGrabber::XcbButtonGrabber() : connection_(QtXcbConnection::connection()) {
    if (!connection_) {
        qCWarning(lcInput) << "No X display: the mouse trigger is unavailable";
        return;
    }
    root_ = QtXcbConnection::rootWindow(connection_);
    // Qt's own windows get their buttons as XInput 2 events.
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection_, &xcb_input_id);
    if (xinput && xinput->present)
        xinputOpcode_ = xinput->major_opcode;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->installNativeEventFilter(this);
}

XcbButtonGrabber::~XcbButtonGrabber() {
    if (!connection_)
        return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->removeNativeEventFilter(this);
    ungrabOnServer();
}

ButtonGrabber::GrabResult XcbButtonGrabber::grab(int cgButton) {
    ungrab();
    const std::optional<int> xButton = MouseButtonTable::xButtonForCgButton(cgButton);
    if (!xButton)
        return GrabResult::invalidButton;
    if (!connection_)
        return GrabResult::unavailable;
    if (suspended_) {
        xButton_ = xButton;
        return GrabResult::pending;
    }
    const GrabResult result = grabOnServer(*xButton);
    if (result == GrabResult::grabbed)
        xButton_ = xButton;
    return result;
}

void XcbButtonGrabber::ungrab() {
    ungrabOnServer();
    xButton_.reset();
}

void XcbButtonGrabber::suspend() {
    suspended_ = true;
    ungrabOnServer();
}

ButtonGrabber::GrabResult XcbButtonGrabber::resume() {
    suspended_ = false;
    if (!xButton_)
        return GrabResult::invalidButton;
    const GrabResult result = grabOnServer(*xButton_);
    if (result != GrabResult::grabbed)
        xButton_.reset();
    return result;
}

std::optional<int> XcbButtonGrabber::button() const {
    return xButton_ ? MouseButtonTable::cgButtonForXButton(*xButton_) : std::nullopt;
}

ButtonGrabber::GrabResult XcbButtonGrabber::grabOnServer(int xButton) {
    // Any modifiers: the button is the trigger whatever keys are held. A
    // one-off round trip tells a button another client holds.
    const std::uint16_t mask = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE;
    const xcb_void_cookie_t cookie = xcb_grab_button_checked(
        connection_, 0, root_, mask, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
        static_cast<std::uint8_t>(xButton), XCB_MOD_MASK_ANY);
    const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
        xcb_request_check(connection_, cookie), &std::free);
    if (!error) {
        grabbed_ = true;
        return GrabResult::grabbed;
    }
    qCWarning(lcInput) << "Could not grab mouse button" << xButton << "(X error"
                       << error->error_code << ")";
    return error->error_code == XCB_ACCESS ? GrabResult::buttonTaken : GrabResult::unavailable;
}

void XcbButtonGrabber::ungrabOnServer() {
    if (!grabbed_)
        return;
    grabbed_ = false;
    xcb_ungrab_button(connection_, static_cast<std::uint8_t>(*xButton_), root_, XCB_MOD_MASK_ANY);
    xcb_flush(connection_);
}

bool XcbButtonGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (!grabbed_ || eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    const std::uint8_t type = event->response_type & 0x7F;
    std::uint32_t button = 0;
    bool pressed = false;
    bool reported = true;
    xcb_timestamp_t time = 0;
    if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE) {
        const auto* core = reinterpret_cast<const xcb_button_press_event_t*>(event);
        button = core->detail;
        time = core->time;
        pressed = type == XCB_BUTTON_PRESS;
    } else if (type == XCB_GE_GENERIC && xinputOpcode_ != 0) {
        const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
        if (generic->extension != xinputOpcode_ ||
            (generic->event_type != XCB_INPUT_BUTTON_PRESS &&
             generic->event_type != XCB_INPUT_BUTTON_RELEASE))
            return false;
        const auto* xi = reinterpret_cast<const xcb_input_button_press_event_t*>(event);
        button = xi->detail;
        time = xi->time;
        pressed = generic->event_type == XCB_INPUT_BUTTON_PRESS;
        // Qt also selects the slave devices; their copy of the click (device
        // and source the same) is swallowed but not counted twice.
        reported = xi->deviceid != xi->sourceid;
    } else {
        return false;
    }
    if (button != static_cast<std::uint32_t>(*xButton_))
        return false;
    if (!reported)
        return true;
    if (pressed)
        notifyPressed(time);
    else
        notifyReleased(time);
    return true;
}

} // namespace vellaro
