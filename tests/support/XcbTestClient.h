#pragma once

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include <xcb/xcb.h>

namespace vellaro::test {

// A second X client: the user's hands (XTest), another program holding grabs,
// and a window of another program under the pointer.
class XcbTestClient {
public:
    XcbTestClient();
    ~XcbTestClient();
    XcbTestClient(const XcbTestClient&) = delete;
    XcbTestClient& operator=(const XcbTestClient&) = delete;

    xcb_connection_t* connection() const { return connection_; }
    xcb_window_t root() const { return root_; }

    // A round trip: everything sent so far has been handled by the server.
    void sync();

    std::uint8_t keycodeFor(std::uint32_t keysym);
    void key(std::uint32_t keysym, bool press);
    void keycode(std::uint8_t keycode, bool press);
    void button(int xButton, bool press);
    void movePointer(int x, int y);

    // Key repeat after `delayMs`, every `intervalMs`.
    void setKeyRepeat(int delayMs, int intervalMs);

    // A passive grab of this client; true when the server accepted it.
    bool grabKey(std::uint8_t keycode, std::uint16_t modifiers);
    bool grabButton(int xButton, std::uint16_t modifiers);
    // Whether another client holds an active keyboard or pointer grab.
    bool isKeyboardGrabbedElsewhere();
    bool isPointerGrabbedElsewhere();
    // Whether another client holds this key combination; leaves no grab behind.
    bool isKeyGrabbedElsewhere(std::uint8_t keycode, std::uint16_t modifiers);

    // An override-redirect window of this client selecting button events.
    xcb_window_t createButtonWindow(int x, int y, int width, int height);
    // The buttons of the presses and releases that reached this client's windows.
    std::vector<int> takeButtonEvents();
    // Gives the keyboard focus to a small window of this client.
    void focusOwnWindow();

    // Keyboard mapping edits (one keysym per keycode, in the first column).
    std::optional<std::uint8_t> unusedKeycode();
    void setKeysym(std::uint8_t keycode, std::uint32_t keysym);

private:
    xcb_window_t createWindow(int x, int y, int width, int height, std::uint32_t eventMask);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    std::vector<std::pair<std::uint8_t, std::vector<std::uint32_t>>> savedMappings_;
    std::optional<std::pair<std::uint16_t, std::uint16_t>> savedRepeat_; // delay, interval
};

} // namespace vellaro::test
