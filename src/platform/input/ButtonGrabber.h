#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace vellaro {

// One mouse button, given as a Core Graphics button number, taken from the
// whole session: its presses and releases reach only us. Main thread only.
class ButtonGrabber {
public:
    enum class GrabResult {
        grabbed,
        pending,       // suspended: the button is taken on resume()
        invalidButton, // outside 2...31
        buttonTaken,   // another client grabs this button
        unavailable,   // no X display, or the server refused otherwise
    };

    virtual ~ButtonGrabber() = default;

    // Replaces the grabbed button. An invalid or refused button leaves none.
    virtual GrabResult grab(int cgButton) = 0;
    // Gives the button back and forgets it.
    virtual void ungrab() = 0;

    // Lets the button through (for instance while the user records a new
    // trigger button) and takes it again on resume(); grab() while suspended
    // only records the button.
    virtual void suspend() = 0;
    virtual GrabResult resume() = 0;
    virtual bool isSuspended() const = 0;
    // The Core Graphics button taken, or to be taken on resume(); empty when
    // there is none (never grabbed, given back, or refused).
    virtual std::optional<int> button() const = 0;

    void setHandlers(std::function<void()> pressed, std::function<void()> released) {
        pressed_ = std::move(pressed);
        released_ = std::move(released);
    }

    // The X server time (ms) of the press or release being reported now;
    // 0 when the event carried none.
    std::uint32_t eventTime() const { return eventTime_; }

protected:
    // Copies first: a handler may replace the handlers while it runs.
    void notifyPressed(std::uint32_t time = 0) {
        eventTime_ = time;
        if (const auto handler = pressed_)
            handler();
    }
    void notifyReleased(std::uint32_t time = 0) {
        eventTime_ = time;
        if (const auto handler = released_)
            handler();
    }

private:
    std::uint32_t eventTime_ = 0;
    std::function<void()> pressed_;
    std::function<void()> released_;
};

} // namespace vellaro
