#pragma once

#include "platform/windows/WindowAccessTrust.h"

#include <memory>

namespace vellaro {

// Trusted while Qt holds an X display and an EWMH window manager answers:
// its _NET_SUPPORTING_WM_CHECK window names itself and _NET_SUPPORTED lists
// _NET_CLIENT_LIST. Works on Qt's own connection; without one (offscreen,
// Wayland) it is never trusted.
class X11WindowAccessTrust final : public WindowAccessTrust {
public:
    X11WindowAccessTrust();
    ~X11WindowAccessTrust() override;

    static X11WindowAccessTrust& shared();

    bool isTrusted() override;

private:
    struct Atoms;
    std::unique_ptr<Atoms> atoms_;
};

} // namespace vellaro
