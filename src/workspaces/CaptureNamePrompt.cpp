#include "workspaces/CaptureNamePrompt.h"

#include "core/SpaceTrimming.h"
#include "workspaces/CaptureNameView.h"
#include "workspaces/PointerScreen.h"

namespace vellaro {

CaptureNamePrompt::CaptureNamePrompt(SavedCount savedCount, Capture capture)
    : savedCount_(std::move(savedCount)), capture_(std::move(capture)) {}

CaptureNamePrompt::~CaptureNamePrompt() = default;

void CaptureNamePrompt::show() {
    if (!window_) {
        const QString name = QStringLiteral("Workspace %1").arg(savedCount_() + 1);
        window_.set(new CaptureNameView(
            name,
            [this](const QString& typed) {
                window_.drop();
                capture_(trimSpacesAndTabs(typed));
            },
            [this] { window_.drop(); }));
        const QRect screen = pointerScreenVisibleFrame();
        if (!screen.isEmpty())
            window_->move(screen.center() - window_->rect().center());
    }
    window_.present();
}

} // namespace vellaro
