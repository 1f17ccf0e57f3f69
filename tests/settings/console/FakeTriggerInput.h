#pragma once

// The console recorders' view of the triggers and the input devices, as
// fakes: the calls they got, the statuses they give, the presses they hear.

#include "platform/input/ButtonMonitor.h"
#include "platform/input/HotKeyGrabber.h"
#include "platform/input/RecorderKeyboard.h"
#include "settings/model/ConsoleTriggers.h"

#include <QStringList>
#include <map>

namespace vellaro::test {

class FakeConsoleTriggers final : public ConsoleTriggers {
public:
    QStringList calls;
    std::int32_t nextStatus = HotKeyGrabber::statusOk;
    bool buttonTaken = false;
    bool trusted = true;

    std::int32_t registerHotKey(std::uint32_t code, std::uint32_t mask) override {
        calls << QStringLiteral("register %1/%2").arg(code).arg(mask);
        return nextStatus;
    }
    void suspendHotKey() override { calls << "suspend hot key"; }
    void resumeHotKey() override { calls << "resume hot key"; }
    void suspendMouseTrigger() override { calls << "suspend mouse"; }
    bool resumeMouseTrigger() override {
        calls << "resume mouse";
        return buttonTaken;
    }
    bool isWindowAccessTrusted() override { return trusted; }
    QStringList take() { return std::exchange(calls, {}); }
};

// Keycodes of a US layout.
class FakeRecorderKeyboard final : public RecorderKeyboard {
public:
    std::map<std::uint32_t, std::uint32_t> keysyms{{10, 0x31},   {38, 0x61},   {45, 0x6b},
                                                   {64, 0xffe9}, {50, 0xffe1}, {65, 0x20},
                                                   {71, 0xffc2}, {107, 0xff61}};
    std::optional<std::uint32_t> heldWindow;
    int grabs = 0;
    bool refuse = false;

    bool grab(std::uint32_t window) override {
        ++grabs;
        if (refuse)
            return false;
        heldWindow = window;
        return true;
    }
    void release() override { heldWindow.reset(); }
    std::optional<std::uint32_t> baseKeysym(std::uint32_t keycode) override {
        const auto it = keysyms.find(keycode);
        return it == keysyms.end() ? std::nullopt : std::optional(it->second);
    }
};

class FakeButtonMonitor final : public ButtonMonitor {
public:
    bool available = true;
    bool watching = false;

    bool start(Handler handler) override {
        handler_ = std::move(handler);
        watching = available;
        return available;
    }
    void stop() override {
        watching = false;
        handler_ = nullptr;
    }
    // A press anywhere in the session.
    void press(int cgButton) {
        if (const Handler handler = watching ? handler_ : nullptr)
            handler(cgButton);
    }

private:
    Handler handler_;
};

} // namespace vellaro::test
