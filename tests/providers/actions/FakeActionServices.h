#pragma once

#include "platform/audio/InputMute.h"
#include "platform/audio/MicrophoneAuthorization.h"
#include "platform/session/SystemActions/KeepAwake.h"

#include <vector>

namespace vellaro::test {

struct FakeAuthorization final : MicrophoneAuthorization {
    int current = authorized;
    int status() const override { return current; }
    void requestAccess(std::function<void(bool)> done) override { done(true); }
};

// The sound server's mirror of the default source; writes wait for answer().
struct FakeInputMute final : InputMute {
    std::optional<bool> state = false;
    std::vector<bool> writes;
    std::function<void(bool, int)> pending;

    std::optional<bool> muted() const override { return state; }
    void setMuted(bool muted, std::function<void(bool, int)> done) override {
        writes.push_back(muted);
        pending = std::move(done);
    }
    // The server's answer to the last write: like the real mirror, a
    // confirmed write shows there before its completion runs.
    void answer(bool confirmed, int status = 0) {
        if (confirmed)
            switchElsewhere(writes.back());
        auto done = std::move(pending);
        done(confirmed, status);
    }
    // The mute changed by another program.
    void switchElsewhere(std::optional<bool> muted) {
        state = muted;
        changed();
    }
};

struct FakeKeepAwake final : KeepAwake {
    bool held = false;
    bool canHold = true;
    int releases = 0;
    bool isHeld() const override { return held; }
    void hold(std::function<void(bool)> done) override {
        held = canHold;
        done(held);
    }
    void release() override {
        held = false;
        ++releases;
    }
    void lose() {
        held = false;
        ended();
    }
};

} // namespace vellaro::test
