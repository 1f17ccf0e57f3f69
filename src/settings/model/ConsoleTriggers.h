#pragma once

#include <cstdint>

namespace vellaro {

// What the console's trigger recorders need of the running triggers: a hot
// key registered before it is stored, the triggers held off while a new one
// is recorded, and the window-access grant the mouse trigger depends on.
// Main thread only.
class ConsoleTriggers {
public:
    virtual ~ConsoleTriggers() = default;

    // 0, or the refusal's status (-9878 taken, -9879 no such key); a refused
    // key leaves the old one registered.
    virtual std::int32_t registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers) = 0;
    // While suspended the hot key opens nothing and reaches the recorder.
    virtual void suspendHotKey() = 0;
    virtual void resumeHotKey() = 0;
    // While suspended the trigger button is let through to everyone.
    virtual void suspendMouseTrigger() = 0;
    // Takes the configured button again; true when another program holds it.
    virtual bool resumeMouseTrigger() = 0;
    virtual bool isWindowAccessTrusted() = 0;
};

} // namespace vellaro
