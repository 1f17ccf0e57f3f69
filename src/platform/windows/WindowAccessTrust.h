#pragma once

namespace vellaro {

// Whether the program may read and move other applications' windows: the
// stand-in for the Accessibility grant.
class WindowAccessTrust {
public:
    virtual ~WindowAccessTrust() = default;
    virtual bool isTrusted() = 0;
};

} // namespace vellaro
