#pragma once

namespace vellaro {

// Something that may hold the dial back when a trigger fires: the setup
// assistant while it is open before its trigger rehearsal.
class DialGate {
public:
    virtual ~DialGate() = default;
    virtual bool holdsBackDial() const = 0;
    // Brings what holds the dial back to the front instead.
    virtual void bringForward() = 0;
};

} // namespace vellaro
