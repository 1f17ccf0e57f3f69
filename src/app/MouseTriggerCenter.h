#pragma once

#include "platform/input/ButtonGrabber.h"

#include <QMetaObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

namespace vellaro {

class WindowAccessTrust;

// Lets an extra mouse button act as the dial's trigger, like the hot key:
// while armed, that button's presses and releases reach only the dial. Arms
// and disarms itself from the configured button and the window-access grant,
// and stays off while the settings console records a new button.
class MouseTriggerCenter {
public:
    MouseTriggerCenter(ButtonGrabber& grabber, WindowAccessTrust& trust,
                       std::function<int()> configuredButton);
    ~MouseTriggerCenter();
    MouseTriggerCenter(const MouseTriggerCenter&) = delete;
    MouseTriggerCenter& operator=(const MouseTriggerCenter&) = delete;

    // On Qt's X connection, reading the shared settings.
    static MouseTriggerCenter& shared();

    // Brings the grab in line with the settings and the grant; from the
    // first call on, again whenever the grant changes.
    void apply();
    void disarm();
    // Lets the button through until resume(); an apply() meanwhile only
    // records the button.
    void suspend();
    // What became of the button: grabbed, or why it is not held.
    ButtonGrabber::GrabResult resume();

    std::optional<int> activeButton() const { return activeButton_; }
    bool isArmed() const { return armed_; }
    bool isSuspended() const { return suspended_; }

    // MouseButtonText::buttonName.
    static QString buttonName(long long button);

    // The X server time (ms) of the press or release being reported now; 0
    // when unknown.
    std::uint32_t eventTime() const;

    std::function<void()> onTriggerDown;
    std::function<void()> onTriggerUp;

private:
    ButtonGrabber& grabber_;
    WindowAccessTrust& trust_;
    std::function<int()> configuredButton_;
    std::optional<int> activeButton_;
    bool armed_ = false;   // our grab is installed (enabled or suspended)
    bool applied_ = false; // apply() ran: from then on a change of the grant re-applies
    QMetaObject::Connection trustChanged_;
    bool suspended_ = false;
};

} // namespace vellaro
