#include "app/AccessibilityPermission.h"

#include "app/AccessibilityExplainerView.h"
#include "app/Logging.h"
#include "app/SettingsPanes.h"
#include "platform/time/QtScheduler.h"
#include "platform/windows/X11WindowAccessTrust.h"

namespace vellaro {

AccessibilityPermission::AccessibilityPermission(std::function<bool()> isTrusted,
                                                 SettingsPanes& panes, Scheduler& scheduler)
    : isTrusted_(std::move(isTrusted)), panes_(panes), scheduler_(scheduler) {}

AccessibilityPermission::~AccessibilityPermission() = default;

AccessibilityPermission& AccessibilityPermission::shared() {
    // Never destroyed: its window must not outlive the application object.
    static auto* instance =
        new AccessibilityPermission([] { return X11WindowAccessTrust::shared().isTrusted(); },
                                    SettingsPanes::desktop(), QtScheduler::shared());
    return *instance;
}

QString AccessibilityPermission::request() {
    if (isTrusted_())
        return {};
    // X11 has no grant to prompt for: access follows the window manager.
    const QString reason =
        QStringLiteral("Window access needs a window manager that publishes its window list");
    qCInfo(permissionLog).noquote() << reason;
    return reason;
}

QString AccessibilityPermission::openSystemSettings() {
    return panes_.openWindowAccess();
}

void AccessibilityPermission::revealAppInFinder() {
    panes_.revealApplication();
}

void AccessibilityPermission::showExplainer() {
    if (window_) {
        window_->present();
        return;
    }
    AccessibilityExplainerView::Actions actions{
        isTrusted_, [this] { request(); }, [this] { openSystemSettings(); },
        [this] { revealAppInFinder(); }, [this] { dismissExplainer(); }};
    window_.set(new AccessibilityExplainerView(std::move(actions), scheduler_));
    window_->present();
}

void AccessibilityPermission::dismissExplainer() {
    window_.drop();
}

} // namespace vellaro
