#pragma once

#include "core/CapturedWindow.h"
#include "core/MatchReport.h"
#include "platform/time/Scheduler.h"
#include "workspaces/RestoreServices.h"
#include "workspaces/Workspace.h"

#include <QList>
#include <QRect>
#include <QSet>
#include <functional>
#include <memory>
#include <set>
#include <vector>

namespace vellaro {

// One restore of one workspace: a first pass over the windows that are
// open, the launch of what is missing, then passes on a cadence until every
// window is placed or the time is up, and the report. Once cancelled it
// launches, writes and reports nothing more. Main thread; it keeps itself
// alive while a walk or a sleep is pending.
class RestoreRun : public std::enable_shared_from_this<RestoreRun> {
public:
    static constexpr Scheduler::Duration loopTime = std::chrono::seconds(15);
    static constexpr Scheduler::Duration fastPhase = std::chrono::seconds(5);
    static constexpr Scheduler::Duration fastInterval = std::chrono::milliseconds(600);
    static constexpr Scheduler::Duration slowInterval = std::chrono::seconds(1);

    RestoreRun(const RestoreServices& services, Workspace workspace);

    void start();
    void cancel();

private:
    using AfterPass = std::function<void(const MatchReport&)>;

    void pass(AfterPass then);
    MatchReport apply(const QList<LiveWindow>& live);
    QRectF placed(const QRectF& frame) const;
    void launchMissing(const MatchReport& firstPass);
    void launch(const AppRecord& app, const QList<QUrl>& documents);
    void loop();
    void finish();

    const RestoreServices& services_;
    const Workspace workspace_;
    std::vector<CapturedWindow> captured_;
    std::vector<bool> minimized_;
    QSet<QString> bundleIDs_;
    QList<QRect> screens_;
    std::set<std::int64_t> applied_;
    Scheduler::TimePoint loopStart_{};
    Scheduler::TaskId sleep_ = 0;
    bool cancelled_ = false;
};

} // namespace vellaro
