#pragma once

#include "platform/time/Scheduler.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QAbstractNativeEventFilter>
#include <chrono>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace vellaro {

// Trusted while Qt holds an X display and an EWMH window manager answers:
// its _NET_SUPPORTING_WM_CHECK window names itself and _NET_SUPPORTED lists
// _NET_CLIENT_LIST. Works on Qt's own connection; without one (offscreen,
// Wayland) it is never trusted.
//
// From the first question on it watches the root window's
// _NET_SUPPORTING_WM_CHECK and the destruction of the window it names, so a
// window manager that starts later, exits or dies is noticed: `changed`
// follows once the answer, asked again a moment later, differs.
//
// Given a connection of its own (tools that run before any Qt application),
// it answers on that one and does not watch.
class X11WindowAccessTrust final : public WindowAccessTrust, private QAbstractNativeEventFilter {
    Q_OBJECT
public:
    // A window manager sets the property before it finishes its own set-up.
    static constexpr std::chrono::milliseconds recheckDelay{400};

    explicit X11WindowAccessTrust(Scheduler& scheduler);
    X11WindowAccessTrust(Scheduler& scheduler, xcb_connection_t* connection);
    ~X11WindowAccessTrust() override;

    static X11WindowAccessTrust& shared();

    bool isTrusted() override;

private:
    struct Atoms;
    bool answer();
    void watch();
    void watchSupportingWindow();
    void recheck();
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    Scheduler& scheduler_;
    xcb_connection_t* ownConnection_ = nullptr; // null: Qt's
    std::unique_ptr<Atoms> atoms_;
    bool watching_ = false;
    bool lastAnswer_ = false; // as the watch last saw it
    // The window manager's check window as answer() last found it, and the
    // one whose destruction is selected.
    std::uint32_t supportingWindow_ = 0;
    std::uint32_t watchedSupportingWindow_ = 0;
    Scheduler::TaskId recheckTask_ = 0;
};

} // namespace vellaro
