#include "workspaces/DesktopWorkspacesProvider.h"

#include "platform/session/UserFolders.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "workspaces/CaptureNamePrompt.h"
#include "workspaces/CaptureNameView.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/RestoreEngine.h"
#include "workspaces/RestoreReportHUD.h"

namespace vellaro {

std::unique_ptr<WorkspacesProvider>
makeDesktopWorkspacesProvider(std::function<void()> showExplainer) {
    // The one prompt, bound to the provider made here (the data source makes
    // it once and keeps it for the whole run). Never deleted at exit: its
    // window must not outlive the application object.
    static CaptureNamePrompt* prompt = nullptr;
    auto provider = std::make_unique<WorkspacesProvider>(
        WorkspacesStore(dataFolder()),
        WorkspacesProvider::Services{
            desktopWindowAccess(), concurrentWindowWalk(desktopWalkAccess()),
            [] { return X11WindowAccessTrust::shared().isTrusted(); }, std::move(showExplainer),
            [] {
                if (prompt)
                    prompt->show();
            },
            [](const Workspace& workspace) { RestoreEngine::shared().restore(workspace); },
            [](const QString& name, std::int64_t restored, std::int64_t total) {
                RestoreReportHUD::shared().show(name, restored, total);
            }});
    WorkspacesProvider* made = provider.get();
    delete prompt;
    prompt = new CaptureNamePrompt([made] { return qsizetype(made->workspaces().size()); },
                                   [made](const QString& name) { made->capture(name); });
    return provider;
}

} // namespace vellaro
