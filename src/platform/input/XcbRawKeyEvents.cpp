#include "platform/input/XcbRawKeyEvents.h"

#include "platform/input/Logging.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace vellaro {

namespace {

constexpr std::uint32_t kRawKeyRelease = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;

std::optional<std::vector<std::uint32_t>> currentMasterMask(xcb_connection_t* connection,
                                                            xcb_window_t window) {
    const std::unique_ptr<xcb_input_xi_get_selected_events_reply_t, decltype(&std::free)> reply(
        xcb_input_xi_get_selected_events_reply(
            connection, xcb_input_xi_get_selected_events(connection, window), nullptr),
        &std::free);
    if (!reply)
        return std::nullopt;
    for (auto it = xcb_input_xi_get_selected_events_masks_iterator(reply.get()); it.rem;
         xcb_input_event_mask_next(&it)) {
        if (it.data->deviceid == XCB_INPUT_DEVICE_ALL_MASTER) {
            const std::uint32_t* words = xcb_input_event_mask_mask(it.data);
            return std::vector<std::uint32_t>(words, words + it.data->mask_len);
        }
    }
    return std::vector<std::uint32_t>{};
}

} // namespace

XcbRawKeyEvents::XcbRawKeyEvents(xcb_connection_t* connection, std::uint32_t root)
    : connection_(connection), root_(root) {
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection, &xcb_input_id);
    std::optional<std::vector<std::uint32_t>> selected =
        xinput && xinput->present ? currentMasterMask(connection, root) : std::nullopt;
    if (!selected) {
        qCWarning(lcInput) << "No XInput 2: a hot key let go while another window has the"
                           << "keyboard may go unnoticed";
        return;
    }
    otherEvents_ = std::move(*selected);
    if (otherEvents_.empty())
        otherEvents_.push_back(0);
    otherEvents_[0] &= ~kRawKeyRelease;
    opcode_ = xinput->major_opcode;
}

XcbRawKeyEvents::~XcbRawKeyEvents() {
    watch(false);
}

void XcbRawKeyEvents::watch(bool on) {
    if (opcode_ == 0 || on == watching_)
        return;
    watching_ = on;
    // The entry for all master devices is replaced whole, so Qt's part of it
    // goes along unchanged.
    std::vector<std::uint32_t> request(1 + otherEvents_.size());
    const xcb_input_event_mask_t header{XCB_INPUT_DEVICE_ALL_MASTER,
                                        static_cast<std::uint16_t>(otherEvents_.size())};
    static_assert(sizeof(header) == sizeof(std::uint32_t));
    std::memcpy(request.data(), &header, sizeof(header));
    std::ranges::copy(otherEvents_, request.begin() + 1);
    if (on)
        request[1] |= kRawKeyRelease;
    xcb_input_xi_select_events(connection_, root_, 1,
                               reinterpret_cast<const xcb_input_event_mask_t*>(request.data()));
    xcb_flush(connection_);
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
