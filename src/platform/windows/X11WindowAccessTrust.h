#pragma once

#include "platform/time/Scheduler.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QAbstractNativeEventFilter>
#include <chrono>
#include <memory>

namespace vellaro {

// Trusted while Qt holds an X display and an EWMH window manager answers:
// its _NET_SUPPORTING_WM_CHECK window names itself and _NET_SUPPORTED lists
// _NET_CLIENT_LIST. Works on Qt's own connection; without one (offscreen,
// Wayland) it is never trusted.
//
// From the first question on it watches the root window's
// _NET_SUPPORTING_WM_CHECK, so a window manager that starts later (or goes)
// is noticed: `changed` follows once the answer, asked again a moment after
// the property changed, differs.
class X11WindowAccessTrust final : public WindowAccessTrust, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // A window manager sets the property before it finishes its own set-up.
    static constexpr std::chrono::milliseconds recheckDelay{400};

    explicit X11WindowAccessTrust(Scheduler& scheduler);
    ~X11WindowAccessTrust() override;

    static X11WindowAccessTrust& shared();

    bool isTrusted() override;

private:
    struct Atoms;
    bool answer();
    void watch();
    void recheck();
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    Scheduler& scheduler_;
    std::unique_ptr<Atoms> atoms_;
    bool watching_ = false;
    bool lastAnswer_ = false; // as the watch last saw it
    Scheduler::TaskId recheckTask_ = 0;
};

} // namespace vellaro
