#include "platform/input/XcbRootXiMask.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

namespace {

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

bool XcbRootXiMask::change(xcb_connection_t* connection, std::uint32_t root, std::uint32_t bits,
                           bool on) {
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection, &xcb_input_id);
    if (!xinput || !xinput->present)
        return false;
    std::optional<std::vector<std::uint32_t>> mask = currentMasterMask(connection, root);
    if (!mask)
        return false;
    if (mask->empty())
        mask->push_back(0);
    (*mask)[0] = on ? ((*mask)[0] | bits) : ((*mask)[0] & ~bits);
    // The entry for all master devices is replaced whole.
    std::vector<std::uint32_t> request(1 + mask->size());
    const xcb_input_event_mask_t header{XCB_INPUT_DEVICE_ALL_MASTER,
                                        static_cast<std::uint16_t>(mask->size())};
    static_assert(sizeof(header) == sizeof(std::uint32_t));
    std::memcpy(request.data(), &header, sizeof(header));
    std::ranges::copy(*mask, request.begin() + 1);
    xcb_input_xi_select_events(connection, root, 1,
                               reinterpret_cast<const xcb_input_event_mask_t*>(request.data()));
    xcb_flush(connection);
    return true;
}

} // namespace vellaro
