#pragma once

#include <cstdint>
#include <functional>
#include <utility>

namespace vellaro {

// System-wide hot keys given as a Mac virtual key code and a Carbon modifier
// mask. Several may be registered at once, so a new key can be registered
// before the old one is given up. Main thread only.
class HotKeyGrabber {
public:
    using HotKeyId = std::uint32_t;
    using Handler = std::function<void(HotKeyId)>;

    // Statuses keep the Carbon values the rest of the program knows.
    static constexpr std::int32_t statusOk = 0;
    // Another client holds the same key combination (X BadAccess).
    static constexpr std::int32_t statusKeyTaken = -9878;
    // The key code has no keysym, or the keysym is on no key of the keyboard.
    static constexpr std::int32_t statusInvalidKey = -9879;
    // No X display, or the server refused the grab for another reason.
    static constexpr std::int32_t statusUnavailable = -9868;

    struct Registration {
        std::int32_t status = statusUnavailable;
        HotKeyId id = 0; // valid only when status is statusOk
    };

    virtual ~HotKeyGrabber() = default;

    virtual Registration registerHotKey(std::uint32_t macKeyCode,
                                        std::uint32_t carbonModifiers) = 0;
    // Unknown ids are ignored.
    virtual void unregisterHotKey(HotKeyId id) = 0;

    // Called once per press, however long the key is held, and once when
    // that key is released, whatever happened to the modifiers meanwhile.
    void setHandlers(Handler pressed, Handler released) {
        pressed_ = std::move(pressed);
        released_ = std::move(released);
    }

    // While paused no press matches and every key goes on as typed (for
    // instance to the shortcut recorder); the registrations stay in force.
    void setMatchingPaused(bool paused) { matchingPaused_ = paused; }
    bool isMatchingPaused() const { return matchingPaused_; }

    // The X server time (ms) of the press or release being reported now;
    // 0 when the event carried none.
    std::uint32_t eventTime() const { return eventTime_; }

protected:
    // Copies first: a handler may replace the handlers while it runs.
    void notifyPressed(HotKeyId id, std::uint32_t time = 0) {
        if (matchingPaused_)
            return;
        eventTime_ = time;
        if (const Handler handler = pressed_)
            handler(id);
    }
    void notifyReleased(HotKeyId id, std::uint32_t time = 0) {
        eventTime_ = time;
        if (const Handler handler = released_)
            handler(id);
    }

private:
    Handler pressed_;
    Handler released_;
    bool matchingPaused_ = false;
    std::uint32_t eventTime_ = 0;
};

} // namespace vellaro
