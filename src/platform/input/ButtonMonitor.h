#pragma once

#include <functional>

namespace vellaro {

// Every press of an extra mouse button anywhere in the session, whoever
// holds the pointer or a grab, as a Core Graphics button number (2 middle,
// 3 back, 4 forward, ...); left, right and the wheel are never reported.
// Main thread only.
class ButtonMonitor {
public:
    using Handler = std::function<void(int cgButton)>;

    virtual ~ButtonMonitor() = default;

    // Replaces a running watch; false when the session cannot report presses
    // outside our windows.
    virtual bool start(Handler handler) = 0;
    virtual void stop() = 0;
};

} // namespace vellaro
