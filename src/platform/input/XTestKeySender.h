#pragma once

#include "platform/input/KeySender.h"

struct xcb_connection_t;

namespace vellaro {

// KeySender over the XTest extension on Qt's own X connection.
class XTestKeySender final : public KeySender {
public:
    XTestKeySender();

    bool sendKey(std::uint32_t keysym, std::uint16_t xModifiers) override;
    QStringList focusedWindowClass() override;

private:
    void fake(std::uint8_t type, std::uint8_t keycode);

    xcb_connection_t* connection_ = nullptr; // null without a display or XTest
    std::uint32_t root_ = 0;
};

} // namespace vellaro
