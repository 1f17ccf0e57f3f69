#pragma once

#include "platform/input/ButtonMonitor.h"

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <vector>

struct xcb_connection_t;

namespace vellaro {

// Extra-button presses as XInput 2 raw events on the root window of Qt's
// connection. Raw events reach us whoever holds grabs, and carry the
// physical button, so it is mapped through the server's pointer mapping
// first. Qt's own selections on the root stay in place.
class XcbButtonMonitor final : public ButtonMonitor, private QAbstractNativeEventFilter {
public:
    XcbButtonMonitor();
    ~XcbButtonMonitor() override;

    bool start(Handler handler) override;
    void stop() override;

private:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
    void readPointerMapping();

    xcb_connection_t* connection_;
    std::uint32_t root_ = 0;
    std::uint8_t opcode_ = 0; // 0: no XInput 2
    std::vector<std::uint8_t> pointerMapping_;
    Handler handler_;
};

} // namespace vellaro
