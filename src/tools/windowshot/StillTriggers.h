#pragma once

#include "platform/input/ButtonMonitor.h"
#include "platform/input/HotKeyGrabber.h"
#include "platform/input/RecorderKeyboard.h"
#include "settings/model/ConsoleTriggers.h"

namespace vellaro::windowshot {

// Triggers and input for pictures: every shortcut is taken by another
// program, every key is the space bar, and no button is ever pressed.
class StillTriggers final : public ConsoleTriggers, public RecorderKeyboard, public ButtonMonitor {
public:
    std::int32_t registerHotKey(std::uint32_t, std::uint32_t) override {
        return HotKeyGrabber::statusKeyTaken;
    }
    void suspendHotKey() override {}
    void resumeHotKey() override {}
    void suspendMouseTrigger() override {}
    bool resumeMouseTrigger() override { return false; }
    bool isWindowAccessTrusted() override { return true; }

    bool grab(std::uint32_t) override { return true; }
    void release() override {}
    std::optional<std::uint32_t> baseKeysym(std::uint32_t) override { return 0x20; }

    bool start(Handler) override { return true; }
    void stop() override {}
};

} // namespace vellaro::windowshot
