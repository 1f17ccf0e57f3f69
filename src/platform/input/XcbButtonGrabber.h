#pragma once

#include "platform/input/ButtonGrabber.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace vellaro {

// A passive button grab on the root window of Qt's own X connection, for any
// modifiers, in asynchronous mode: the button never reaches the window under
// the pointer. The button is matched in a native event filter whatever window
// the event is for, so it still works while a window of ours holds the
// pointer.
class XcbButtonGrabber final : public ButtonGrabber, private QAbstractNativeEventFilter {
public:
    XcbButtonGrabber();
    ~XcbButtonGrabber() override;

    GrabResult grab(int cgButton) override;
    void ungrab() override;
    void suspend() override;
    GrabResult resume() override;
    bool isSuspended() const override { return suspended_; }
    std::optional<int> button() const override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    GrabResult grabOnServer(int xButton);
    void ungrabOnServer();

    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint8_t xinputOpcode_ = 0; // 0: no XInput
    std::optional<int> xButton_;    // the configured button
    bool grabbed_ = false;          // the server holds our grab
    bool suspended_ = false;
};

} // namespace vellaro
