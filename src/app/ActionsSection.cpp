#include "app/ActionsSection.h"

#include "app/MicrophoneExplainerView.h"
#include "app/MicrophonePermission.h"
#include "model/SettingsStore.h"
#include "platform/audio/InputMute.h"
#include "platform/audio/MicrophoneAuthorization.h"
#include "platform/session/SystemActions/SystemActions.h"
#include "providers/actions/ActionsProvider.h"
#include "providers/actions/SystemActionRunners.h"

#include <QStandardPaths>

namespace vellaro {

namespace {

// Until the sound server's mirror is wired here: no usable input.
class NoInputMute final : public InputMute {
public:
    std::optional<bool> muted() const override { return std::nullopt; }
    void setMuted(bool, std::function<void(bool, int)> done) override { done(false, -1); }
};

SystemActions& systemActions() {
    // Lives as long as the program: runners finish after the dial closed.
    static auto* actions = new SystemActions(SystemActions::Environment{
        .screenshotFolder =
            [] { return QStandardPaths::writableLocation(QStandardPaths::PicturesLocation); },
    });
    return *actions;
}

} // namespace

std::unique_ptr<SectionProvider> makeActionsProvider() {
    static NoInputMute input;
    SystemActions& actions = systemActions();
    return std::make_unique<ActionsProvider>(
        SettingsStore::shared(), MicrophoneAuthorization::shared(), input, actions.keepAwake(),
        systemActionRunners(actions, [](std::function<void()> action) {
            MicrophonePermission::shared().perform(std::move(action));
        }));
}

} // namespace vellaro
