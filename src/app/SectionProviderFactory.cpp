#include "app/SectionProviderFactory.h"

#include "app/AccessibilityExplainerView.h"
#include "app/AccessibilityPermission.h"
#include "app/ActionsSection.h"
#include "app/Logging.h"
#include "clipboard/ClipboardHistoryWindowController.h"
#include "clipboard/DesktopClipboardProvider.h"
#include "model/EmptySectionProvider.h"
#include "platform/audio/AudioSystem.h"
#include "platform/session/Desktop.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"
#include "providers/apps/DesktopAppsProvider.h"
#include "providers/files/FilesProvider.h"
#include "providers/sound/SoundProvider.h"
#include "workspaces/DesktopWindowAccess.h"
#include "workspaces/DesktopWorkspacesProvider.h"
#include "workspaces/WindowsProvider.h"

namespace vellaro {

std::unique_ptr<SectionProvider> makeSectionProvider(SectionKind kind) {
    switch (kind) {
    case SectionKind::apps:
        return makeDesktopAppsProvider();
    case SectionKind::workspaces:
        return makeDesktopWorkspacesProvider(
            [] { AccessibilityPermission::shared().showExplainer(); });
    case SectionKind::windows:
        return std::make_unique<WindowsProvider>(
            desktopWindowAccess(), X11WindowAccessTrust::shared(), QtScheduler::shared(),
            [] { AccessibilityPermission::shared().showExplainer(); });
    case SectionKind::clipboard:
        return makeDesktopClipboardProvider(
            [] { ClipboardHistoryWindowController::shared().show(); });
    case SectionKind::files:
        return std::make_unique<FilesProvider>(Desktop::shared(), QtScheduler::shared());
    case SectionKind::sound:
        return std::make_unique<SoundProvider>(AudioSystem::shared());
    case SectionKind::actions:
        return makeActionsProvider();
    }
    return std::make_unique<EmptySectionProvider>();
}

} // namespace vellaro
