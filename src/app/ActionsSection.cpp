#include "app/ActionsSection.h"

#include "app/MicrophoneExplainerView.h"
#include "app/MicrophonePermission.h"
#include "model/SettingsStore.h"
#include "platform/audio/AudioInputMute.h"
#include "platform/audio/MicrophoneAuthorization.h"
#include "platform/session/ScreenshotFolder.h"
#include "platform/session/SystemActions/SystemActions.h"
#include "providers/actions/ActionsProvider.h"
#include "providers/actions/SystemActionRunners.h"

namespace vellaro {

namespace {

SystemActions& systemActions() {
    // Lives as long as the program: runners finish after the dial closed.
    static auto* actions = new SystemActions(SystemActions::Environment{
        .screenshotFolder = &screenshotFolder,
    });
    return *actions;
}

} // namespace

std::unique_ptr<SectionProvider> makeActionsProvider() {
    static AudioInputMute input(AudioSystem::shared());
    SystemActions& actions = systemActions();
    return std::make_unique<ActionsProvider>(
        SettingsStore::shared(), MicrophoneAuthorization::shared(), input, actions.keepAwake(),
        systemActionRunners(actions, [](std::function<void()> action) {
            MicrophonePermission::shared().perform(std::move(action));
        }));
}

} // namespace vellaro
