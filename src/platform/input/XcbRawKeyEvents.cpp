#include "platform/input/XcbRawKeyEvents.h"

#include "platform/input/Logging.h"
#include "platform/input/XcbRootXiMask.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace vellaro {

namespace {

constexpr std::uint32_t kRawKeyRelease = XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE;

} // namespace

XcbRawKeyEvents::XcbRawKeyEvents(xcb_connection_t* connection, std::uint32_t root)
    : connection_(connection), root_(root) {
    const xcb_query_extension_reply_t* xinput = xcb_get_extension_data(connection, &xcb_input_id);
    if (!xinput || !xinput->present) {
        qCWarning(lcInput) << "No XInput 2: a hot key let go while another window has the"
                           << "keyboard may go unnoticed";
        return;
    }
    opcode_ = xinput->major_opcode;
}

XcbRawKeyEvents::~XcbRawKeyEvents() {
    watch(false);
}

void XcbRawKeyEvents::watch(bool on) {
    if (opcode_ == 0 || on == watching_)
        return;
    watching_ = on;
    // Qt's and other watchers' bits on the same entry stay as they are.
    XcbRootXiMask::change(connection_, root_, kRawKeyRelease, on);
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
