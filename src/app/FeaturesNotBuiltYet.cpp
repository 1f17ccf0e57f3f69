#include "app/FeaturesNotBuiltYet.h"

#include "app/Logging.h"

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
HapticsNudgeService& FeaturesNotBuiltYet::hapticsNudge() {
    static MissingHapticsNudge instance;
    return instance;
}

} // namespace vellaro
