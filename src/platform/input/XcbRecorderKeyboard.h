#pragma once

#include "platform/input/RecorderKeyboard.h"

struct xcb_connection_t;

namespace vellaro {

// The recorder's keyboard on Qt's X connection. Qt's own grabKeyboard()
// reports success whatever the server says, so the grab's reply is read here.
class XcbRecorderKeyboard final : public RecorderKeyboard {
public:
    XcbRecorderKeyboard();
    ~XcbRecorderKeyboard() override;

    bool grab(std::uint32_t window) override;
    void release() override;
    std::optional<std::uint32_t> baseKeysym(std::uint32_t keycode) override;

private:
    xcb_connection_t* connection_;
    bool held_ = false;
};

} // namespace vellaro
