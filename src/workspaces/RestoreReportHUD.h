#pragma once

#include "platform/time/Scheduler.h"
#include "workspaces/RestoreReportContent.h"

#include <QRect>
#include <cstdint>
#include <functional>
#include <memory>

namespace vellaro {

class RestoreReportView;

// Shows how a restore (or a capture) went for four seconds, centred 24 px
// under the top of the main monitor's usable area. A new report replaces the
// one on screen at once and gets its own four seconds. Main thread only.
class RestoreReportHUD {
public:
    // The usable area of the monitor the report goes on; an empty rectangle
    // leaves the panel where it was created.
    using VisibleFrame = std::function<QRect()>;
    using CompositingCheck = std::function<bool()>;

    static constexpr Scheduler::Duration showTime = std::chrono::seconds(4);

    RestoreReportHUD(Scheduler& scheduler, VisibleFrame visibleFrame, CompositingCheck compositing);
    ~RestoreReportHUD();

    // On the program's scheduler, over the monitor of the active window (else
    // the pointer's).
    static RestoreReportHUD& shared();

    void show(const QString& name, std::int64_t restored, std::int64_t total);

    // The panel on screen, or null.
    RestoreReportView* panel() const { return panel_.get(); }

private:
    Scheduler& scheduler_;
    VisibleFrame visibleFrame_;
    CompositingCheck compositing_;
    std::unique_ptr<RestoreReportView> panel_;
    Scheduler::TaskId hideTask_ = 0;
};

} // namespace vellaro
