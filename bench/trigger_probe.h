#pragma once

#include <QImage>
#include <QString>
#include <chrono>
#include <optional>
#include <xcb/xcb.h>

// An outside X client that drives and watches Vellaro the way a person's
// hands and eyes would: XTest key presses, the dial's window mapping, and
// the first paint into it (XDamage).
class TriggerProbe {
public:
    using Clock = std::chrono::steady_clock;

    TriggerProbe();
    ~TriggerProbe();
    bool connected() const { return c_ != nullptr; }

    // The dial's window: override-redirect, titled "Vellaro Dial".
    std::optional<xcb_window_t> findPanel(std::chrono::milliseconds timeout);
    // Starts watching the panel's paints; needs findPanel first.
    bool watchPanel(xcb_window_t panel);

    // The hot key: keysym plus modifier keysyms, pressed in order.
    void pressKeys(const std::vector<xcb_keysym_t>& keysyms);
    void releaseKeys(const std::vector<xcb_keysym_t>& keysyms);
    void tap(xcb_keysym_t keysym);
    void movePointer(int x, int y);

    // Waits for the panel to be mapped / painted / unmapped; the time it
    // happened, or nothing on time-out.
    std::optional<Clock::time_point> waitMapped(std::chrono::milliseconds timeout);
    std::optional<Clock::time_point> waitPainted(std::chrono::milliseconds timeout);
    std::optional<Clock::time_point> waitUnmapped(std::chrono::milliseconds timeout);

    bool panelViewable();
    QImage grabScreen();

private:
    xcb_keycode_t keycodeFor(xcb_keysym_t keysym);
    enum class Wanted { map, damage, unmap };
    std::optional<Clock::time_point> waitFor(Wanted wanted, std::chrono::milliseconds timeout);

    xcb_connection_t* c_ = nullptr;
    xcb_screen_t* screen_ = nullptr;
    xcb_window_t panel_ = XCB_NONE;
    uint32_t damage_ = 0;
    uint8_t damageEvent_ = 0;
};

// A new connection to the display in $DISPLAY and its default screen; null
// when there is none.
xcb_connection_t* connectToDisplay(xcb_screen_t*& screen);

// The configured hot key as keysyms to press in order: modifiers, then the
// key. Read from the settings file Vellaro itself reads.
std::vector<xcb_keysym_t> configuredHotKey();

// The private test session's window manager (openbox) keeps Alt+Space, the
// default hot key, for its window menu: with no settings file yet, write one
// that uses Ctrl+Alt+Space. Returns whether the settings file exists after.
bool configureSessionHotKey();
