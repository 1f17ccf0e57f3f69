#include "workspaces/RestoreRun.h"

#include "core/WindowMatcher.h"
#include "platform/apps/AppLauncher.h"
#include "platform/apps/RunningApps.h"
#include "workspaces/Logging.h"
#include "workspaces/RestoreAppEntry.h"
#include "workspaces/WindowAccess.h"

#include <QFileInfo>

namespace vellaro {

namespace {

constexpr int offScreenInset = 60;

bool isOpenableDocument(const QUrl& url) {
    if (!url.isLocalFile())
        return false;
    const QFileInfo file(url.toLocalFile());
    return file.exists() && !file.isDir();
}

} // namespace

RestoreRun::RestoreRun(const RestoreServices& services, Workspace workspace)
    : services_(services), workspace_(std::move(workspace)) {}

void RestoreRun::start() {
    qCInfo(lcWorkspaces).noquote() << QStringLiteral("Restoring workspace %1").arg(workspace_.name);
    for (const AppRecord& app : workspace_.apps) {
        bundleIDs_.insert(app.bundleID);
        for (const WindowRecord& window : app.windows) {
            captured_.push_back({app.bundleID, window.title, window.frame});
            minimized_.push_back(window.isMinimized);
        }
    }
    // Read once: every pass places windows against the same screens.
    for (const Monitor& monitor : services_.access.windowSystem().monitors())
        screens_.append(monitor.frame);

    pass([self = shared_from_this()](const MatchReport& firstPass) {
        if (!firstPass.unmatchedCaptured.empty())
            self->launchMissing(firstPass);
        if (self->cancelled_)
            return;
        self->loopStart_ = self->services_.scheduler.now();
        self->loop();
    });
}

void RestoreRun::cancel() {
    cancelled_ = true;
    if (sleep_)
        services_.scheduler.cancel(sleep_);
    sleep_ = 0;
}

void RestoreRun::pass(AfterPass then) {
    const QList<SweepTarget> targets = services_.access.sweepTargets(bundleIDs_);
    services_.walk(targets, [self = shared_from_this(),
                             then = std::move(then)](const QList<LiveWindow>& live) {
        if (self->cancelled_)
            return;
        const MatchReport report = self->apply(live);
        if (!self->cancelled_)
            then(report);
    });
}

MatchReport RestoreRun::apply(const QList<LiveWindow>& live) {
    std::vector<CapturedWindow> liveWindows;
    liveWindows.reserve(std::size_t(live.size()));
    for (const LiveWindow& window : live)
        liveWindows.push_back(window.window);
    const MatchReport report = WindowMatcher::match(captured_, liveWindows, true);
    for (const WindowMatch& match : report.matches) {
        // A window placed once stays where the user may have moved it since.
        if (applied_.contains(match.capturedIndex))
            continue;
        if (cancelled_)
            break;
        const auto index = std::size_t(match.capturedIndex);
        const QRect frame = placed(captured_[index].frame).toRect();
        if (services_.access.applyFrame(frame, live[qsizetype(match.liveIndex)].box,
                                        minimized_[index]))
            applied_.insert(match.capturedIndex);
        else
            qCCritical(lcWorkspaces).noquote()
                << QStringLiteral("Frame apply refused: %1").arg(captured_[index].title);
    }
    return report;
}

QRectF RestoreRun::placed(const QRectF& frame) const {
    if (screens_.isEmpty())
        return frame;
    for (const QRect& screen : screens_)
        if (frame.intersects(QRectF(screen)))
            return frame;
    const QPointF corner =
        QPointF(screens_.first().topLeft()) + QPointF(offScreenInset, offScreenInset);
    return QRectF(corner, frame.size());
}

void RestoreRun::launchMissing(const MatchReport& firstPass) {
    const std::set<std::int64_t> unmatched(firstPass.unmatchedCaptured.begin(),
                                           firstPass.unmatchedCaptured.end());
    std::int64_t index = 0;
    for (const AppRecord& app : workspace_.apps) {
        bool missing = false;
        QList<QUrl> documents;
        for (const WindowRecord& window : app.windows) {
            if (unmatched.contains(index++)) {
                missing = true;
                if (window.documentURL && isOpenableDocument(*window.documentURL))
                    documents.append(*window.documentURL);
            }
        }
        if (!missing)
            continue;
        // A launch may run other work (a newer restore) before it returns.
        if (cancelled_)
            return;
        launch(app, documents);
    }
}

void RestoreRun::launch(const AppRecord& app, const QList<QUrl>& documents) {
    const std::optional<DesktopEntry> entry = restoreEntryFor(app, services_.catalog);
    if (!entry) {
        qCInfo(lcWorkspaces).noquote()
            << QStringLiteral("App unavailable, skipping: %1").arg(app.bundleID);
        return;
    }
    if (documents.isEmpty() && services_.running.isRunning(app.bundleID))
        return;
    QString error;
    // A restore never brings a program to the front.
    if (!services_.launcher.open(*entry, documents, false, &error))
        qCCritical(lcWorkspaces).noquote()
            << QStringLiteral("Launch failed for %1: %2").arg(app.bundleID, error);
}

void RestoreRun::loop() {
    const Scheduler::Duration elapsed = services_.scheduler.now() - loopStart_;
    if (applied_.size() >= captured_.size() || elapsed >= loopTime) {
        finish();
        return;
    }
    const Scheduler::Duration interval = elapsed <= fastPhase ? fastInterval : slowInterval;
    sleep_ = services_.scheduler.schedule(interval, [self = shared_from_this()] {
        self->sleep_ = 0;
        if (self->cancelled_)
            return;
        self->pass([self](const MatchReport&) { self->loop(); });
    });
}

void RestoreRun::finish() {
    const auto restored = std::int64_t(applied_.size());
    const auto total = std::int64_t(captured_.size());
    qCInfo(lcWorkspaces).noquote()
        << QStringLiteral("Restore finished: %1/%2 windows").arg(restored).arg(total);
    for (std::size_t index = 0; index < captured_.size(); ++index)
        if (!applied_.contains(std::int64_t(index)))
            qCInfo(lcWorkspaces).noquote()
                << QStringLiteral("Unmatched: %1").arg(captured_[index].title);
    services_.report(workspace_.name, restored, total);
}

} // namespace vellaro
