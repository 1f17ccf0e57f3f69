#include "platform/input/XcbRecorderKeyboard.h"

#include "platform/input/Logging.h"
#include "platform/input/QtXcbConnection.h"

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

XcbRecorderKeyboard::XcbRecorderKeyboard() : connection_(QtXcbConnection::connection()) {}

XcbRecorderKeyboard::~XcbRecorderKeyboard() {
    release();
}

bool XcbRecorderKeyboard::grab(std::uint32_t window) {
    if (!connection_ || window == 0)
        return false;
    // Owner events: keys keep going to our focused window, where Qt sees them.
    const std::unique_ptr<xcb_grab_keyboard_reply_t, decltype(&std::free)> reply(
        xcb_grab_keyboard_reply(connection_,
                                xcb_grab_keyboard(connection_, 1, window, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr),
        &std::free);
    held_ = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    if (!held_)
        qCWarning(lcInput) << "The shortcut recorder could not take the keyboard (status"
                           << (reply ? reply->status : -1) << ")";
    return held_;
}

void XcbRecorderKeyboard::release() {
    if (!held_ || !connection_)
        return;
    held_ = false;
    xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
}

std::optional<std::uint32_t> XcbRecorderKeyboard::baseKeysym(std::uint32_t keycode) {
    if (!connection_ || keycode > 255)
        return std::nullopt;
    // A fresh table each time: the mapping may have changed since the last key.
    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(
        xcb_key_symbols_alloc(connection_), &xcb_key_symbols_free);
    if (!symbols)
        return std::nullopt;
    const xcb_keysym_t keysym =
        xcb_key_symbols_get_keysym(symbols.get(), static_cast<xcb_keycode_t>(keycode), 0);
    if (keysym == XCB_NO_SYMBOL)
        return std::nullopt;
    return keysym;
}

} // namespace vellaro
