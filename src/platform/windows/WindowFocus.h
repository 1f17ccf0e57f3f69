#pragma once

#include <cstdint>

namespace vellaro {

// Which client window is active, and bringing one back. Window ids are X
// window ids; 0 means none. Main thread.
class WindowFocus {
public:
    using WindowId = std::uint32_t;

    virtual ~WindowFocus() = default;

    virtual WindowId activeWindow() = 0;
    // Whether the window is still one of the window manager's clients.
    virtual bool exists(WindowId window) = 0;
    virtual void activate(WindowId window) = 0;
};

} // namespace vellaro
