#include "workspaces/RestoreEngine.h"

#include "platform/apps/AppCatalog.h"
#include "platform/apps/ProcessAppLauncher.h"
#include "platform/apps/X11RunningApps.h"
#include "platform/time/QtScheduler.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/RestoreReportHUD.h"
#include "workspaces/RestoreRun.h"

namespace vellaro {

RestoreEngine::RestoreEngine(RestoreServices services) : services_(std::move(services)) {}

RestoreEngine& RestoreEngine::shared() {
    static const AppCatalog catalog;
    static ProcessAppLauncher launcher;
    static RestoreEngine* engine = new RestoreEngine(
        RestoreServices{desktopWindowAccess(), concurrentWindowWalk(desktopWalkAccess()), catalog,
                        launcher, X11RunningApps::shared(), QtScheduler::shared(),
                        [](const QString& name, std::int64_t restored, std::int64_t total) {
                            RestoreReportHUD::shared().show(name, restored, total);
                        }});
    return *engine;
}

RestoreEngine::~RestoreEngine() {
    if (current_)
        current_->cancel();
}

void RestoreEngine::restore(const Workspace& workspace) {
    if (current_)
        current_->cancel();
    current_ = std::make_shared<RestoreRun>(services_, workspace);
    // Held by the engine: start() may finish, or be cancelled, before it returns.
    const std::shared_ptr<RestoreRun> run = current_;
    run->start();
}

} // namespace vellaro
