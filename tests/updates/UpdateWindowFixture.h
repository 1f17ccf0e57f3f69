#pragma once

// The update window over a real model and real settings in a temporary
// folder, the update service's controls faked and the desktop's scheme held.
#include "model/SettingsStore.h"
#include "platform/session/Appearance.h"
#include "platform/session/Notifications.h"
#include "support/FakeUpdateControls.h"
#include "updates/UpdateViewModel.h"
#include "updates/UpdateWindowController.h"

#include <QTemporaryDir>
#include <QUrl>

namespace vellaro::test {

class StillAppearance final : public Appearance {
public:
    ColorScheme scheme = ColorScheme::light;
    ColorScheme colorScheme() const override { return scheme; }
    bool reduceMotion() const override { return false; }
    bool reduceTransparency() const override { return false; }
};

struct UpdateWindowFixture {
    QTemporaryDir dir;
    Notifications notifications;
    SettingsStore settings{dir.path(), notifications};
    StillAppearance appearance;
    UpdateViewModel model;
    FakeUpdateControls controls;
    UpdateWindowController controller{model, controls, QUrl("https://vellaro.example/"), settings,
                                      appearance};
};

} // namespace vellaro::test
