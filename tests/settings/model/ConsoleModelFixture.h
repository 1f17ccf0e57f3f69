#pragma once

// A console model on real settings in a temporary folder, its own hub and
// defaults file, and a manual clock.

#include "model/SettingsStore.h"
#include "platform/session/Defaults.h"
#include "platform/session/Notifications.h"
#include "settings/model/ConsoleModel.h"
#include "support/ManualScheduler.h"

#include <QTemporaryDir>
#include <memory>

namespace vellaro::test {

struct ConsoleServices {
    QTemporaryDir folder;
    Notifications notifications;
    SettingsStore store{folder.path(), notifications};
    Defaults defaults{folder.path() + "/defaults.ini"};
    ManualScheduler scheduler;

    ConsoleModel::Services modelServices() { return {store, notifications, defaults, scheduler}; }
};

struct ConsoleModelFixture : ConsoleServices {
    std::unique_ptr<ConsoleModel> model = std::make_unique<ConsoleModel>(modelServices());

    QString toastText() const { return model->toast() ? model->toast()->message : QString(); }
    // The model as a new launch builds it.
    void relaunch() { model = std::make_unique<ConsoleModel>(modelServices()); }
};

} // namespace vellaro::test
