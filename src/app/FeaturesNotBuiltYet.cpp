#include "app/FeaturesNotBuiltYet.h"

#include "app/Logging.h"

#include <cstdio>

namespace vellaro {

namespace {

class MissingSetupAssistant final : public SetupAssistant {
public:
    bool isAvailable() const override { return false; }
    void show(bool) override {
        qCInfo(appLog) << "The setup assistant is not part of this build yet";
    }
    bool holdsBackDial() const override { return false; }
    void bringForward() override {}
};

class MissingUpdates final : public UpdateService {
public:
    bool isAvailable() const override { return false; }
    void checkForUpdates() override {
        qCInfo(appLog) << "Checking for updates is not part of this build yet";
    }
};

class MissingSpikeHarness final : public SpikeHarness {
public:
    bool isAvailable() const override { return false; }
    int capture(const QString&) override { return unavailable(); }
    int match(const QString&) override { return unavailable(); }

private:
    static int unavailable() {
        std::fputs("vellaro: the window-matching harness is not part of this build yet\n", stderr);
        return 1;
    }
};

class MissingHapticsNudge final : public HapticsNudgeService {
public:
    void showIfNeeded() override {}
};

} // namespace

SetupAssistant& FeaturesNotBuiltYet::setupAssistant() {
    static MissingSetupAssistant instance;
    return instance;
}
UpdateService& FeaturesNotBuiltYet::updates() {
    static MissingUpdates instance;
    return instance;
}
SpikeHarness& FeaturesNotBuiltYet::spikeHarness() {
    static MissingSpikeHarness instance;
    return instance;
}
HapticsNudgeService& FeaturesNotBuiltYet::hapticsNudge() {
    static MissingHapticsNudge instance;
    return instance;
}

} // namespace vellaro
