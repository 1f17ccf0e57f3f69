#include "support/XcbTestClient.h"

#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>
// xkb.h names a field `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace vellaro::test {

namespace {

template <typename T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T>
Reply<T> reply(T* value) {
    return Reply<T>(value, &std::free);
}

struct RepeatControls {
    std::uint16_t delay;
    std::uint16_t interval;
};

std::optional<RepeatControls> repeatControls(xcb_connection_t* c) {
    auto controls = reply(
        xcb_xkb_get_controls_reply(c, xcb_xkb_get_controls(c, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    if (!controls)
        return std::nullopt;
    return RepeatControls{controls->repeatDelay, controls->repeatInterval};
}

void applyRepeat(xcb_connection_t* c, RepeatControls repeat) {
    const std::array<std::uint8_t, 32> perKeyRepeat{};
    const std::uint32_t repeatKeys = XCB_XKB_BOOL_CTRL_REPEAT_KEYS;
    xcb_xkb_set_controls(c, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, repeatKeys,
                         repeatKeys, repeatKeys | XCB_XKB_CONTROL_CONTROLS_ENABLED, repeat.delay,
                         repeat.interval, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, perKeyRepeat.data());
}

} // namespace

XcbTestClient::XcbTestClient() {
    connection_ = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection_))
        throw std::runtime_error("no X display");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    reply(xcb_xkb_use_extension_reply(connection_, xcb_xkb_use_extension(connection_, 1, 0),
                                      nullptr));
}

XcbTestClient::~XcbTestClient() {
    for (const auto& [code, keysyms] : savedMappings_) {
        xcb_change_keyboard_mapping(connection_, 1, code, static_cast<std::uint8_t>(keysyms.size()),
                                    keysyms.data());
    }
    if (savedRepeat_)
        applyRepeat(connection_, {savedRepeat_->first, savedRepeat_->second});
    sync();
    xcb_disconnect(connection_);
}

void XcbTestClient::sync() {
    reply(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

std::uint8_t XcbTestClient::keycodeFor(std::uint32_t keysym) {
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    const std::uint8_t code = codes ? codes[0] : 0;
    std::free(codes);
    xcb_key_symbols_free(symbols);
    EXPECT_NE(code, 0) << "no key gives keysym " << std::hex << keysym;
    return code;
}

void XcbTestClient::key(std::uint32_t keysym, bool press) {
    keycode(keycodeFor(keysym), press);
}

void XcbTestClient::keycode(std::uint8_t code, bool press) {
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, code,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync();
}

void XcbTestClient::button(int xButton, bool press) {
    xcb_test_fake_input(connection_, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE,
                        static_cast<std::uint8_t>(xButton), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    sync();
}

void XcbTestClient::movePointer(int x, int y) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                        static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0);
    sync();
}

void XcbTestClient::setKeyRepeat(int delayMs, int intervalMs) {
    if (!savedRepeat_) {
        if (const auto current = repeatControls(connection_))
            savedRepeat_.emplace(current->delay, current->interval);
    }
    applyRepeat(connection_,
                {static_cast<std::uint16_t>(delayMs), static_cast<std::uint16_t>(intervalMs)});
    sync();
}

bool XcbTestClient::grabKey(std::uint8_t code, std::uint16_t modifiers) {
    auto error = reply(xcb_request_check(
        connection_, xcb_grab_key_checked(connection_, 0, root_, modifiers, code,
                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
    return !error;
}

bool XcbTestClient::grabButton(int xButton, std::uint16_t modifiers) {
    auto error = reply(xcb_request_check(
        connection_,
        xcb_grab_button_checked(connection_, 0, root_, XCB_EVENT_MASK_BUTTON_PRESS,
                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE, XCB_NONE,
                                static_cast<std::uint8_t>(xButton), modifiers)));
    return !error;
}

bool XcbTestClient::isKeyGrabbedElsewhere(std::uint8_t code, std::uint16_t modifiers) {
    if (!grabKey(code, modifiers))
        return true;
    xcb_ungrab_key(connection_, code, root_, modifiers);
    sync();
    return false;
}

bool XcbTestClient::isKeyboardGrabbedElsewhere() {
    auto grab =
        reply(xcb_grab_keyboard_reply(connection_,
                                      xcb_grab_keyboard(connection_, 0, root_, XCB_CURRENT_TIME,
                                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                      nullptr));
    if (grab && grab->status == XCB_GRAB_STATUS_SUCCESS) {
        xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
        sync();
        return false;
    }
    return grab && grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
}

bool XcbTestClient::isPointerGrabbedElsewhere() {
    auto grab = reply(xcb_grab_pointer_reply(
        connection_,
        xcb_grab_pointer(connection_, 0, root_, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    if (grab && grab->status == XCB_GRAB_STATUS_SUCCESS) {
        xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
        sync();
        return false;
    }
    return grab && grab->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
}

xcb_window_t XcbTestClient::createButtonWindow(int x, int y, int width, int height) {
    return createWindow(x, y, width, height,
                        XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE);
}

void XcbTestClient::focusOwnWindow() {
    const xcb_window_t window = createWindow(0, 0, 8, 8, 0);
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    sync();
}

xcb_window_t XcbTestClient::createWindow(int x, int y, int width, int height,
                                         std::uint32_t eventMask) {
    const xcb_window_t window = xcb_generate_id(connection_);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const std::uint32_t values[] = {screen->white_pixel, 1, eventMask};
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_,
                      static_cast<std::int16_t>(x), static_cast<std::int16_t>(y),
                      static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    xcb_map_window(connection_, window);
    const std::uint32_t above[] = {XCB_STACK_MODE_ABOVE};
    xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, above);
    sync();
    return window;
}

std::vector<int> XcbTestClient::takeButtonEvents() {
    sync();
    std::vector<int> buttons;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const std::uint8_t type = event->response_type & 0x7F;
        if (type == XCB_BUTTON_PRESS || type == XCB_BUTTON_RELEASE)
            buttons.push_back(reinterpret_cast<xcb_button_press_event_t*>(event)->detail);
        std::free(event);
    }
    return buttons;
}

std::optional<std::uint8_t> XcbTestClient::unusedKeycode() {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int first = setup->min_keycode;
    const int count = setup->max_keycode - first + 1;
    auto mapping = reply(xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, static_cast<xcb_keycode_t>(first),
                                 static_cast<std::uint8_t>(count)),
        nullptr));
    if (!mapping)
        return std::nullopt;
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int i = count - 1; i >= 0; --i) {
        bool empty = true;
        for (int j = 0; j < perCode; ++j)
            empty = empty && keysyms[i * perCode + j] == XCB_NO_SYMBOL;
        if (empty)
            return static_cast<std::uint8_t>(first + i);
    }
    return std::nullopt;
}

void XcbTestClient::setKeysym(std::uint8_t code, std::uint32_t keysym) {
    auto mapping = reply(xcb_get_keyboard_mapping_reply(
        connection_, xcb_get_keyboard_mapping(connection_, code, 1), nullptr));
    ASSERT_TRUE(mapping);
    const xcb_keysym_t* current = xcb_get_keyboard_mapping_keysyms(mapping.get());
    std::vector<std::uint32_t> saved(current, current + mapping->keysyms_per_keycode);
    std::vector<std::uint32_t> changed(saved.size(), XCB_NO_SYMBOL);
    changed[0] = keysym;
    savedMappings_.emplace_back(code, std::move(saved));
    xcb_change_keyboard_mapping(connection_, 1, code, static_cast<std::uint8_t>(changed.size()),
                                changed.data());
    sync();
}

} // namespace vellaro::test
