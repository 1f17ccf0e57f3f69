#pragma once

#include "platform/session/SystemActions/DoNotDisturbRunner.h"
#include "platform/session/SystemActions/ScreenLocker.h"
#include "platform/session/SystemActions/ScreenshotRunner.h"
#include "platform/session/SystemActions/SessionKeepAwake.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "platform/session/SystemActions/TrashEmptier.h"
#include "platform/time/QtScheduler.h"

#include <QDBusConnection>
#include <QStringList>
#include <functional>

namespace vellaro {

// The runners behind the actions section, sharing one tool search path and
// one bus. Lives as long as the program. Main thread.
class SystemActions {
public:
    struct Environment {
        QStringList toolPath = ToolLauncher::environmentPath();
        QDBusConnection bus = QDBusConnection::sessionBus();
        // Where logind is.
        QDBusConnection systemBus = QDBusConnection::systemBus();
        Scheduler* scheduler = &QtScheduler::shared();
        QString currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
        std::function<QString()> screenshotFolder;
        TrashEmptier::Locator trash = TrashEmptier::userTrash();
    };

    explicit SystemActions(Environment environment);

    const ToolLauncher& launcher() const { return launcher_; }
    ScreenshotRunner& screenshots() { return screenshots_; }
    DoNotDisturbRunner& doNotDisturb() { return doNotDisturb_; }
    ScreenLocker& locker() { return locker_; }
    TrashEmptier& trash() { return trash_; }
    SessionKeepAwake& keepAwake() { return keepAwake_; }
    // Switches Dark Mode; logs when it cannot.
    void toggleDarkMode();

private:
    ToolLauncher launcher_;
    ScreenshotRunner screenshots_;
    DoNotDisturbRunner doNotDisturb_;
    ScreenLocker locker_;
    TrashEmptier trash_;
    SessionKeepAwake keepAwake_;
};

} // namespace vellaro
