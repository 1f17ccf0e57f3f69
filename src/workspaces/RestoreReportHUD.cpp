#include "workspaces/RestoreReportHUD.h"

#include "platform/time/QtScheduler.h"
#include "platform/windows/CompositingManager.h"
#include "platform/windows/X11WindowSystem.h"
#include "workspaces/MainMonitor.h"
#include "workspaces/PointerScreen.h"
#include "workspaces/RestoreReportView.h"

namespace vellaro {

namespace {
constexpr int topGap = 24;
} // namespace

RestoreReportHUD::RestoreReportHUD(Scheduler& scheduler, VisibleFrame visibleFrame,
                                   CompositingCheck compositing)
    : scheduler_(scheduler), visibleFrame_(std::move(visibleFrame)),
      compositing_(std::move(compositing)) {}

RestoreReportHUD::~RestoreReportHUD() {
    if (hideTask_)
        scheduler_.cancel(hideTask_);
}

RestoreReportHUD& RestoreReportHUD::shared() {
    static RestoreReportHUD* hud = new RestoreReportHUD(
        QtScheduler::shared(),
        [] {
            const QRect frame = mainMonitorVisibleFrame(X11WindowSystem::shared());
            // Without RandR monitors (no X display), Qt's screens still answer.
            return frame.isEmpty() ? pointerScreenVisibleFrame() : frame;
        },
        &compositingManagerPresent);
    return *hud;
}

void RestoreReportHUD::show(const QString& name, std::int64_t restored, std::int64_t total) {
    // An old timer must never hide the newer report.
    if (hideTask_)
        scheduler_.cancel(hideTask_);
    hideTask_ = 0;
    panel_.reset();

    auto panel = std::make_unique<RestoreReportView>(
        RestoreReportContent::make(name, restored, total), compositing_());
    const QRect frame = visibleFrame_();
    if (!frame.isEmpty()) {
        const QSize size = panel->size();
        panel->move(frame.x() + (frame.width() - size.width()) / 2, frame.y() + topGap);
    }
    panel->show();
    panel_ = std::move(panel);
    hideTask_ = scheduler_.schedule(showTime, [this] {
        hideTask_ = 0;
        panel_.reset();
    });
}

} // namespace vellaro
