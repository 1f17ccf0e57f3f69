#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QString>

namespace vellaro {

class HotKeyGrabber;

// The one system-wide hot key that opens the dial: registers the stored Mac
// key code and Carbon modifier mask, and turns its presses and releases into
// two callbacks. A changed shortcut replaces the old one only once the new
// one is registered.
class HotKeyCenter {
public:
    static constexpr std::int32_t statusOk = 0;
    // Carbon's parameter error: the key has none of control, option, command.
    static constexpr std::int32_t statusNeedsModifier = -50;

    explicit HotKeyCenter(HotKeyGrabber& grabber);
    ~HotKeyCenter();
    HotKeyCenter(const HotKeyCenter&) = delete;
    HotKeyCenter& operator=(const HotKeyCenter&) = delete;

    // On Qt's X connection; the program's one instance.
    static HotKeyCenter& shared();

    // Returns 0 or the refusal's status (-9878: the combination is taken,
    // -9879: no such key, statusNeedsModifier: never grabbed, see
    // HotKeyText::hasRequiredModifier).
    std::int32_t registerHotKey(std::uint32_t keyCode, std::uint32_t modifiers);

    // Whether this combination is the one registered now.
    bool isRegistered(std::uint32_t keyCode, std::uint32_t modifiers) const;
    // 0 when this combination is registered, else why its last registration
    // was refused (taken, when it was never tried).
    std::int32_t statusOf(std::uint32_t keyCode, std::uint32_t modifiers) const;
    // The id the next successful registration gets; advances once per success.
    std::uint32_t nextRegistrationId() const { return nextRegistrationId_; }

    // Until resume(), presses of the hot key open nothing and reach the
    // focused window like any key; the registration stays in force.
    void suspend();
    void resume();
    bool isSuspended() const;

    static QString spacedDisplayString(const QString& display);

    // The X server time (ms) of the press or release being reported now; 0
    // when unknown.
    std::uint32_t eventTime() const;

    std::function<void()> onHotKeyDown;
    std::function<void()> onHotKeyUp;

private:
    HotKeyGrabber& grabber_;
    std::optional<std::uint32_t> hotKeyRef_;
    std::optional<std::uint32_t> registeredCode_;
    std::optional<std::uint32_t> registeredModifiers_;
    struct Refusal {
        std::uint32_t keyCode = 0;
        std::uint32_t modifiers = 0;
        std::int32_t status = 0;
    };
    std::optional<Refusal> lastRefusal_;
    std::uint32_t nextRegistrationId_ = 1;
};

} // namespace vellaro
