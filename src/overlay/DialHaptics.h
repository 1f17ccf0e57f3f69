#pragma once

namespace vellaro {

// The dial's haptic feedback for a change of highlighted section. The
// program's implementation ticks the haptics plug-in, throttled by the client.
class DialHaptics {
public:
    virtual ~DialHaptics() = default;
    virtual void tickIfDue() = 0;
};

} // namespace vellaro
