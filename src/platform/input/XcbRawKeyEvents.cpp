#include "platform/input/XcbRawKeyEvents.h"

#include "platform/input/Logging.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

struct SingleMask {
    xcb_input_event_mask_t header;
    std::uint32_t mask;
};

// The client's current selection for all master devices on `window`, so that
// adding ours keeps whatever Qt selected there.
std::uint32_t currentMasterMask(xcb_connection_t* connection, xcb_window_t window) {
    const std::unique_ptr<xcb_input_xi_get_selected_events_reply_t, decltype(&std::free)> reply(
        xcb_input_xi_get_selected_events_reply(
            connection, xcb_input_xi_get_selected_events(connection, window), nullptr),
        &std::free);
    if (!reply)
        return 0;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(reply.get()); it.rem;
         xcb_input_event_mask_next(&it)) {
        if (it.data->deviceid == XCB_INPUT_DEVICE_ALL_MASTER && it.data->mask_len > 0)
            return xcb_input_event_mask_mask(it.data)[0];
    }
    return 0;
}

} // namespace

XcbRawKeyEvents::XcbRawKeyEvents(xcb_connection_t* connection, std::uint32_t root) {
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection, &xcb_input_id);
    if (!xinput || !xinput->present) {
        qCWarning(lcInput) << "The X server has no XInput 2: a hot key let go while another"
                           << "window has the keyboard may go unnoticed";
        return;
    }
    SingleMask selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                         currentMasterMask(connection, root) |
                             XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
    const std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error(
        xcb_request_check(
            connection, xcb_input_xi_select_events_checked(connection, root, 1, &selection.header)),
        &std::free);
    if (error) {
        qCWarning(lcInput) << "Raw key events refused (X error" << error->error_code << ")";
        return;
    }
    opcode_ = xinput->major_opcode;
}

std::optional<std::uint8_t> XcbRawKeyEvents::releasedKeycode(const void* message) const {
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if (opcode_ == 0 || (event->response_type & 0x7F) != XCB_GE_GENERIC)
        return std::nullopt;
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != opcode_ || generic->event_type != XCB_INPUT_RAW_KEY_RELEASE)
        return std::nullopt;
    const auto* raw = reinterpret_cast<const xcb_input_raw_key_release_event_t*>(event);
    return static_cast<std::uint8_t>(raw->detail);
}

} // namespace vellaro
