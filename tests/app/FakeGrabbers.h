#pragma once

#include "platform/input/ButtonGrabber.h"
#include "platform/input/HotKeyGrabber.h"
#include "platform/windows/WindowAccessTrust.h"

#include <QStringList>

namespace vellaro::test {

class FakeHotKeyGrabber final : public HotKeyGrabber {
public:
    std::int32_t nextStatus = statusOk;
    QStringList calls;
    HotKeyId nextId = 100;

    Registration registerHotKey(std::uint32_t code, std::uint32_t mods) override {
        calls << QStringLiteral("register %1/%2").arg(code).arg(mods);
        if (nextStatus != statusOk)
            return {nextStatus, 0};
        return {statusOk, nextId++};
    }
    void unregisterHotKey(HotKeyId id) override {
        calls << QStringLiteral("unregister %1").arg(id);
    }
    void press(HotKeyId id) { notifyPressed(id); }
    void release(HotKeyId id) { notifyReleased(id); }
};

class FakeButtonGrabber final : public ButtonGrabber {
public:
    QStringList calls;
    GrabResult refusal = GrabResult::grabbed;
    std::optional<int> held;
    bool suspended = false;

    GrabResult grab(int button) override {
        calls << QStringLiteral("grab %1").arg(button);
        if (refusal != GrabResult::grabbed)
            return refusal;
        held = button;
        return suspended ? GrabResult::pending : GrabResult::grabbed;
    }
    void ungrab() override {
        calls << "ungrab";
        held.reset();
    }
    void suspend() override {
        calls << "suspend";
        suspended = true;
    }
    GrabResult resume() override {
        calls << "resume";
        suspended = false;
        if (held && refusal != GrabResult::grabbed) {
            held.reset();
            return refusal;
        }
        return held ? GrabResult::grabbed : GrabResult::unavailable;
    }
    bool isSuspended() const override { return suspended; }
    std::optional<int> button() const override { return held; }
    void press() { notifyPressed(); }
    void release() { notifyReleased(); }
};

class FakeTrust final : public WindowAccessTrust {
public:
    bool trusted = true;
    bool isTrusted() override { return trusted; }
};

} // namespace vellaro::test
