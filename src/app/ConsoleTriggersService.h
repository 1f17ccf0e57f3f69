#pragma once

#include "settings/model/ConsoleTriggers.h"

namespace vellaro {

class HotKeyCenter;
class MouseTriggerCenter;
class WindowAccessTrust;

// The console's recorders over the running hot key and mouse trigger.
class ConsoleTriggersService final : public ConsoleTriggers {
public:
    ConsoleTriggersService(HotKeyCenter& hotKey, MouseTriggerCenter& mouse,
                           WindowAccessTrust& trust);

    // Over the program's shared triggers.
    static ConsoleTriggersService& shared();

    std::int32_t registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) override;
    void suspendHotKey() override;
    void resumeHotKey() override;
    void suspendMouseTrigger() override;
    bool resumeMouseTrigger() override;
    bool isWindowAccessTrusted() override;

private:
    HotKeyCenter& hotKey_;
    MouseTriggerCenter& mouse_;
    WindowAccessTrust& trust_;
};

} // namespace vellaro
