#include "platform/input/XcbButtonMonitor.h"

#include "platform/input/Logging.h"
#include "platform/input/MouseButtonTable.h"
#include "platform/input/QtXcbConnection.h"
#include "platform/input/XcbRootXiMask.h"

#include <QAbstractEventDispatcher>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

constexpr std::uint32_t kRawButtonPress = XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS;

} // namespace

XcbButtonMonitor::XcbButtonMonitor() : connection_(QtXcbConnection::connection()) {
    if (!connection_)
        return;
    root_ = QtXcbConnection::rootWindow(connection_);
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection_, &xcb_input_id);
    if (xinput && xinput->present)
        opcode_ = xinput->major_opcode;
}

XcbButtonMonitor::~XcbButtonMonitor() {
    stop();
}

bool XcbButtonMonitor::start(Handler handler) {
    stop();
    if (opcode_ == 0 || !XcbRootXiMask::change(connection_, root_, kRawButtonPress, true)) {
        qCWarning(lcInput) << "No XInput 2: mouse buttons are recorded over our windows only";
        return false;
    }
    handler_ = std::move(handler);
    readPointerMapping();
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->installNativeEventFilter(this);
    return true;
}

void XcbButtonMonitor::stop() {
    if (!handler_)
        return;
    handler_ = nullptr;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        dispatcher->removeNativeEventFilter(this);
    XcbRootXiMask::change(connection_, root_, kRawButtonPress, false);
}

void XcbButtonMonitor::readPointerMapping() {
    const std::unique_ptr<xcb_get_pointer_mapping_reply_t, decltype(&std::free)> reply(
        xcb_get_pointer_mapping_reply(connection_, xcb_get_pointer_mapping(connection_), nullptr),
        &std::free);
    pointerMapping_.clear();
    if (!reply)
        return;
    const std::uint8_t* map = xcb_get_pointer_mapping_map(reply.get());
    pointerMapping_.assign(map, map + xcb_get_pointer_mapping_map_length(reply.get()));
}

bool XcbButtonMonitor::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t" || !handler_)
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_GE_GENERIC)
        return false;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != opcode_ || generic->event_type != XCB_INPUT_RAW_BUTTON_PRESS)
        return false;
    const auto* raw = reinterpret_cast<const xcb_input_raw_button_press_event_t*>(event);
    // The raw button is the physical one; the trigger is the logical one.
    int button = static_cast<int>(raw->detail);
    if (button >= 1 && static_cast<std::size_t>(button) <= pointerMapping_.size())
        button = pointerMapping_[button - 1];
    if (const std::optional<int> cgButton = MouseButtonTable::cgButtonForXButton(button)) {
        const Handler handler = handler_; // it may stop the watch
        handler(*cgButton);
    }
    return false;
}

} // namespace vellaro
