#include "workspaces/CaptureNamePrompt.h"

#include "core/SpaceTrimming.h"
#include "workspaces/CaptureNameView.h"
#include "workspaces/PointerScreen.h"

namespace vellaro {

CaptureNamePrompt::CaptureNamePrompt(SavedCount savedCount, Capture capture)
    : savedCount_(std::move(savedCount)), capture_(std::move(capture)) {}

CaptureNamePrompt::~CaptureNamePrompt() {
    delete window_.data();
}

void CaptureNamePrompt::show() {
    if (!window_) {
        const QString name = QStringLiteral("Workspace %1").arg(savedCount_() + 1);
        window_ = new CaptureNameView(
            name,
            [this](const QString& typed) {
                dropWindow();
                capture_(trimSpacesAndTabs(typed));
            },
            [this] { dropWindow(); });
        const QRect screen = pointerScreenVisibleFrame();
        if (!screen.isEmpty())
            window_->move(screen.center() - window_->rect().center());
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void CaptureNamePrompt::dropWindow() {
    if (!window_)
        return;
    window_->hide();
    // Called from the window's own button: delete it once the click is done.
    window_->deleteLater();
    window_ = nullptr;
}

} // namespace vellaro
