#pragma once

#include "model/SectionProvider.h"
#include "model/WorkspacesPaneSource.h"
#include "workspaces/RestoreServices.h"
#include "workspaces/WindowWalk.h"
#include "workspaces/WorkspacesConfiguration.h"
#include "workspaces/WorkspacesStore.h"

#include <QDateTime>
#include <QUuid>
#include <functional>
#include <memory>
#include <optional>

namespace vellaro {

// The workspaces section: owns the saved workspaces, shows the first seven
// and "Capture Setup" on the dial, captures and updates them from the
// windows on screen, and hands them to the restore engine. Every change is
// saved at once and announced. Main thread only.
class WorkspacesProvider final : public SectionProvider, public WorkspacesPaneSource {
public:
    struct Services {
        const WindowAccess& access;
        WindowWalk walk;
        std::function<bool()> isTrusted;
        std::function<void()> showExplainer;
        std::function<void()> showCapturePrompt;
        std::function<void(const Workspace&)> restore;
        RestoreServices::Report report;
    };
    using Snapshot = std::function<void(std::optional<Workspace>)>;

    static constexpr std::int64_t dialCount = 7;

    WorkspacesProvider(WorkspacesStore store, Services services);
    ~WorkspacesProvider() override;

    const std::vector<Workspace>& workspaces() const { return config_.workspaces; }
    std::vector<Summary> workspaceSummaries() const override;

    std::vector<MenuItem> items() override;
    std::int64_t removableItemCount() override;
    std::optional<Removal> removeItem(std::int64_t index) override;
    bool moveItem(std::int64_t from, std::int64_t to) override;

    // Walks the windows and puts the new workspace first when the walk ends.
    void capture(const QString& name);
    // Walks the windows and refreshes that workspace's apps when it ends; the
    // workspace keeps the name it has then.
    void update(const QUuid& id);
    // Trims spaces and tabs; a blank name changes nothing.
    void rename(const QUuid& id, const QString& name) override;
    // Saves and announces even when no workspace has the id.
    void deleteWorkspace(const QUuid& id) override;
    // Indices into the stored list; out of range or equal does nothing.
    bool move(std::int64_t from, std::int64_t to);
    // The undo puts the workspace back at min(its index, count), unless a
    // workspace with its id is there again; empty when nothing was removed.
    std::function<void()> remove(std::int64_t index);
    void restore(const QUuid& id) override;
    // The prompt when windows may be read, else the explainer.
    void captureSetupTapped();

    // The current windows as a workspace, handed to `done` on the main thread
    // after the walk; none without window access (before or after the walk).
    void makeWorkspace(const QString& name, const QUuid& id, const QDateTime& createdAt,
                       Snapshot done);
    QString displaySignature() const;

private:
    MenuItem itemFor(const Workspace& workspace);
    std::optional<qsizetype> indexOf(const QUuid& id) const;
    Workspace snapshotOf(const QList<SweepTarget>& targets, const QList<LiveWindow>& live,
                         const QString& name, const QUuid& id, const QDateTime& createdAt) const;
    void saveAndAnnounce();

    WorkspacesStore store_;
    Services services_;
    WorkspacesConfiguration config_;
    // Callbacks that outlive a call hold the provider through this, weakly.
    std::shared_ptr<WorkspacesProvider*> self_;
};

} // namespace vellaro
