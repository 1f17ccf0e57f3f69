#include "platform/input/XTestKeySender.h"

#include "platform/input/Logging.h"
#include "platform/input/QtXcbConnection.h"
#include "platform/input/XcbKeyboardMapping.h"

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace vellaro {

namespace {
constexpr int kModifierCount = 8;

bool isDown(const xcb_query_keymap_reply_t& keymap, std::uint8_t keycode) {
    return keymap.keys[keycode / 8] & (1u << (keycode % 8));
}

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

// Toolkits give the focus to a child of the window that carries WM_CLASS.
constexpr int maximumAncestors = 8;
} // namespace

XTestKeySender::XTestKeySender() {
    xcb_connection_t* connection = QtXcbConnection::connection();
    if (!connection) {
        qCWarning(lcInput) << "No X display: synthetic keys are unavailable";
        return;
    }
    const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(connection, &xcb_test_id);
    if (!xtest || !xtest->present) {
        qCWarning(lcInput) << "The X server has no XTest: synthetic keys are unavailable";
        return;
    }
    connection_ = connection;
    root_ = QtXcbConnection::rootWindow(connection_);
}

bool XTestKeySender::sendKey(std::uint32_t keysym, std::uint16_t xModifiers) {
    if (!connection_)
        return false;
    // The mapping is read afresh: a paste is rare and the layout may change.
    const XcbKeyboardMapping mapping(connection_);
    const std::vector<std::uint8_t> keycodes = mapping.keycodesFor(keysym);
    if (keycodes.empty()) {
        qCWarning(lcInput) << "No key of this keyboard gives keysym" << Qt::hex << keysym;
        return false;
    }
    std::vector<std::uint8_t> modifierKeys;
    for (int bit = 0; bit < kModifierCount; ++bit) {
        const auto modifier = static_cast<std::uint16_t>(1u << bit);
        if (!(xModifiers & modifier))
            continue;
        const std::vector<std::uint8_t> codes = mapping.modifierKeycodes(modifier);
        if (codes.empty()) {
            qCWarning(lcInput) << "No key is bound to modifier" << Qt::hex << modifier;
            return false;
        }
        modifierKeys.push_back(codes.front());
    }

    const std::unique_ptr<xcb_query_keymap_reply_t, decltype(&std::free)> keymap(
        xcb_query_keymap_reply(connection_, xcb_query_keymap(connection_), nullptr), &std::free);
    if (keymap) {
        for (const std::uint8_t held : mapping.allModifierKeycodes()) {
            if (isDown(*keymap, held))
                fake(XCB_KEY_RELEASE, held);
        }
    }
    for (const std::uint8_t modifier : modifierKeys)
        fake(XCB_KEY_PRESS, modifier);
    fake(XCB_KEY_PRESS, keycodes.front());
    fake(XCB_KEY_RELEASE, keycodes.front());
    for (auto it = modifierKeys.rbegin(); it != modifierKeys.rend(); ++it)
        fake(XCB_KEY_RELEASE, *it);
    xcb_flush(connection_);
    return true;
}

QStringList XTestKeySender::focusedWindowClass() {
    if (!connection_)
        return {};
    const Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr),
        &std::free);
    xcb_window_t window = focus ? focus->focus : xcb_window_t(XCB_NONE);
    for (int i = 0; i < maximumAncestors; ++i) {
        if (window == XCB_NONE || window == XCB_INPUT_FOCUS_POINTER_ROOT || window == root_)
            return {};
        const Reply<xcb_get_property_reply_t> property(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, window, XCB_ATOM_WM_CLASS,
                                                    XCB_ATOM_STRING, 0, 256),
                                   nullptr),
            &std::free);
        if (property && property->format == 8 &&
            xcb_get_property_value_length(property.get()) > 0) {
            // "instance\0class\0"
            const QByteArray value(static_cast<const char*>(xcb_get_property_value(property.get())),
                                   xcb_get_property_value_length(property.get()));
            QStringList names;
            for (const QByteArray& name : value.split('\0')) {
                if (!name.isEmpty())
                    names << QString::fromLocal8Bit(name);
            }
            return names;
        }
        const Reply<xcb_query_tree_reply_t> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr),
            &std::free);
        window = tree ? tree->parent : xcb_window_t(XCB_NONE);
    }
    return {};
}

void XTestKeySender::fake(std::uint8_t type, std::uint8_t keycode) {
    xcb_test_fake_input(connection_, type, keycode, XCB_CURRENT_TIME, root_, 0, 0, 0);
}

} // namespace vellaro
