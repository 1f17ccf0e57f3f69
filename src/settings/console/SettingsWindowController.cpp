#include "settings/console/SettingsWindowController.h"

#include "model/SettingsStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "platform/time/QtScheduler.h"
#include "settings/console/ConsoleRootView.h"
#include "settings/panel/ContextPanel.h"
#include "settings/presets/PresetBarView.h"

#include <QVBoxLayout>

namespace vellaro {

SettingsWindowController::Services SettingsWindowController::Services::shared() {
    return {ConsoleWindowFrame::Services::shared(),
            {SettingsStore::shared(), Notifications::shared(), Defaults::shared(),
             QtScheduler::shared()},
            [] { return RadialMenuView::Services::shared(); }};
}

SettingsWindowController::SettingsWindowController(Services services)
    : services_(std::move(services)) {}

SettingsWindowController::~SettingsWindowController() = default;

void SettingsWindowController::build() {
    window_ = std::make_unique<ConsoleWindowFrame>(
        services_.frame,
        ConsoleWindowFrame::Look{
            QStringLiteral("Vellaro"), QString::fromLatin1(frameName), {960, 620}, {900, 580}});
    model_ = std::make_unique<ConsoleModel>(services_.model);
    root_ = new ConsoleRootView(window_->pal(), *model_, services_.dial(), window_.get());
    if (services_.topBar)
        root_->setTopBar(new TopBar(window_->pal(), *model_, services_.topBar()));
    root_->setPresetBar(presetBar());
    auto* layout = new QVBoxLayout(window_.get());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(root_);
    QObject::connect(window_.get(), &ConsoleWindowFrame::palChanged, root_,
                     &ConsoleRootView::applyPal);
    if (services_.contextPanel)
        root_->setContextPanel(new ContextPanel(*root_, services_.contextPanel()));
}

void SettingsWindowController::setContextPanelServices(
    std::function<ContextPanelServices()> services) {
    services_.contextPanel = std::move(services);
}

PresetBarView* SettingsWindowController::presetBar() {
    ConsoleModel* model = model_.get();
    auto* bar = new PresetBarView(
        window_->pal(),
        {[model](const DialPreset& p) { model->applyPreset(p); },
         [model](const QString& name) { model->saveCurrentPreset(name); },
         [model](const DialPreset& p, const QString& name) { model->renamePreset(p, name); },
         [model](const DialPreset& p) { model->updatePresetFromDial(p); },
         [model](const DialPreset& p) { model->deletePreset(p); }});
    const auto follow = [model, bar] {
        bar->setValues(model->currentSections(), model->settings().userPresets);
    };
    QObject::connect(model, &ConsoleModel::settingsChanged, bar, follow);
    follow();
    return bar;
}

void SettingsWindowController::show() {
    if (!window_)
        build();
    window_->present();
}

} // namespace vellaro
