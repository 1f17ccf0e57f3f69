#include "workspaces/WorkspacesProvider.h"

#include "core/SpaceTrimming.h"
#include "workspaces/DisplaySignature.h"
#include "workspaces/Logging.h"
#include "workspaces/WindowAccess.h"

#include <QHash>
#include <algorithm>

namespace vellaro {

namespace {

// Identifiers ordered by code point, upper-case letters first.
bool codePointLess(const QString& a, const QString& b) {
    return a.toStdU32String() < b.toStdU32String();
}

} // namespace

WorkspacesProvider::WorkspacesProvider(WorkspacesStore store, Services services)
    : store_(std::move(store)), services_(std::move(services)), config_(store_.load()),
      self_(std::make_shared<WorkspacesProvider*>(this)) {}

WorkspacesProvider::~WorkspacesProvider() = default;

std::vector<WorkspacesPaneSource::Summary> WorkspacesProvider::workspaceSummaries() const {
    std::vector<Summary> summaries;
    summaries.reserve(config_.workspaces.size());
    for (const Workspace& workspace : config_.workspaces)
        summaries.push_back({workspace.id, workspace.name, workspace.windowCount()});
    return summaries;
}

std::vector<MenuItem> WorkspacesProvider::items() {
    std::vector<MenuItem> result;
    const auto shown = std::min<std::size_t>(config_.workspaces.size(), dialCount);
    for (std::size_t index = 0; index < shown; ++index)
        result.push_back(itemFor(config_.workspaces[index]));
    MenuItem capture(QStringLiteral("Capture Setup"),
                     MenuItem::Icon::symbol(QStringLiteral("plus.viewfinder")));
    capture.action = [weak = std::weak_ptr(self_)] {
        if (auto self = weak.lock())
            (*self)->captureSetupTapped();
    };
    result.push_back(std::move(capture));
    return result;
}

MenuItem WorkspacesProvider::itemFor(const Workspace& workspace) {
    MenuItem item(workspace.name, MenuItem::Icon::symbol(QStringLiteral("rectangle.3.group")));
    item.sublabel = QStringLiteral(u"%1 apps \u00b7 %2 windows")
                        .arg(qsizetype(workspace.apps.size()))
                        .arg(workspace.windowCount());
    // The copy taken now is what the item restores.
    auto restoreCopy = [restore = services_.restore, workspace] { restore(workspace); };
    item.action = restoreCopy;
    const std::weak_ptr<WorkspacesProvider*> weak = self_;
    const QUuid id = workspace.id;
    item.menuActions = {
        MenuAction(QStringLiteral("Restore"), restoreCopy),
        MenuAction(QStringLiteral("Update with Current Setup"),
                   [weak, id] {
                       if (auto self = weak.lock())
                           (*self)->update(id);
                   }),
        MenuAction(QStringLiteral("Delete"),
                   [weak, id] {
                       if (auto self = weak.lock())
                           (*self)->deleteWorkspace(id);
                   }),
    };
    return item;
}

std::int64_t WorkspacesProvider::removableItemCount() {
    return std::min<std::int64_t>(std::int64_t(config_.workspaces.size()), dialCount);
}

std::optional<SectionProvider::Removal> WorkspacesProvider::removeItem(std::int64_t index) {
    std::function<void()> undo = remove(index);
    if (!undo)
        return std::nullopt;
    return Removal{std::move(undo), std::nullopt};
}

bool WorkspacesProvider::moveItem(std::int64_t from, std::int64_t to) {
    return move(from, to);
}

void WorkspacesProvider::capture(const QString& name) {
    // Whole seconds: what the file keeps.
    QDateTime now = QDateTime::currentDateTimeUtc();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    makeWorkspace(
        name, QUuid::createUuid(), now,
        [weak = std::weak_ptr(self_)](std::optional<Workspace> workspace) {
            auto self = weak.lock();
            if (!self || !workspace)
                return;
            WorkspacesProvider& provider = **self;
            const std::int64_t windows = workspace->windowCount();
            const QString captured = workspace->name;
            provider.config_.workspaces.insert(provider.config_.workspaces.begin(),
                                               std::move(*workspace));
            provider.saveAndAnnounce();
            qCInfo(lcWorkspaces).noquote()
                << QStringLiteral("Captured workspace %1: %2 windows").arg(captured).arg(windows);
            provider.services_.report(captured, windows, windows);
        });
}

void WorkspacesProvider::update(const QUuid& id) {
    const std::optional<qsizetype> index = indexOf(id);
    if (!index)
        return;
    const Workspace copy = config_.workspaces[std::size_t(*index)];
    makeWorkspace(copy.name, copy.id, copy.createdAt,
                  [weak = std::weak_ptr(self_),
                   hadWindows = copy.windowCount() > 0](std::optional<Workspace> snapshot) {
                      auto self = weak.lock();
                      if (!self || !snapshot)
                          return;
                      // Windows that are all gone never wipe a saved arrangement.
                      if (snapshot->windowCount() == 0 && hadWindows)
                          return;
                      WorkspacesProvider& provider = **self;
                      const std::optional<qsizetype> now = provider.indexOf(snapshot->id);
                      if (!now)
                          return;
                      Workspace& stored = provider.config_.workspaces[std::size_t(*now)];
                      // A rename made during the walk stands.
                      snapshot->name = stored.name;
                      stored = std::move(*snapshot);
                      provider.saveAndAnnounce();
                      qCInfo(lcWorkspaces).noquote()
                          << QStringLiteral("Updated workspace %1: %2 windows")
                                 .arg(stored.name)
                                 .arg(stored.windowCount());
                  });
}

void WorkspacesProvider::rename(const QUuid& id, const QString& name) {
    const QString trimmed = trimSpacesAndTabs(name);
    if (trimmed.isEmpty())
        return;
    const std::optional<qsizetype> index = indexOf(id);
    if (!index)
        return;
    config_.workspaces[std::size_t(*index)].name = trimmed;
    saveAndAnnounce();
}

void WorkspacesProvider::deleteWorkspace(const QUuid& id) {
    std::erase_if(config_.workspaces,
                  [&](const Workspace& workspace) { return workspace.id == id; });
    saveAndAnnounce();
}

bool WorkspacesProvider::move(std::int64_t from, std::int64_t to) {
    const auto count = std::int64_t(config_.workspaces.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    auto& list = config_.workspaces;
    Workspace moving = std::move(list[std::size_t(from)]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(moving));
    saveAndAnnounce();
    return true;
}

std::function<void()> WorkspacesProvider::remove(std::int64_t index) {
    auto& list = config_.workspaces;
    if (index < 0 || index >= std::int64_t(list.size()))
        return {};
    Workspace removed = std::move(list[std::size_t(index)]);
    list.erase(list.begin() + index);
    saveAndAnnounce();
    return [weak = std::weak_ptr(self_), removed = std::move(removed), index] {
        auto self = weak.lock();
        if (!self)
            return;
        WorkspacesProvider& provider = **self;
        // A second undo, or the workspace restored another way, adds nothing.
        if (provider.indexOf(removed.id))
            return;
        auto& workspaces = provider.config_.workspaces;
        const auto at = std::min<std::int64_t>(index, std::int64_t(workspaces.size()));
        workspaces.insert(workspaces.begin() + at, removed);
        provider.saveAndAnnounce();
    };
}

void WorkspacesProvider::restore(const QUuid& id) {
    if (const std::optional<qsizetype> index = indexOf(id))
        services_.restore(config_.workspaces[std::size_t(*index)]);
}

void WorkspacesProvider::captureSetupTapped() {
    if (services_.isTrusted())
        services_.showCapturePrompt();
    else
        services_.showExplainer();
}

void WorkspacesProvider::makeWorkspace(const QString& name, const QUuid& id,
                                       const QDateTime& createdAt, Snapshot done) {
    if (!services_.isTrusted()) {
        services_.showExplainer();
        done(std::nullopt);
        return;
    }
    const QList<SweepTarget> targets = services_.access.sweepTargets();
    services_.walk(targets, [weak = std::weak_ptr(self_), targets, name, id, createdAt,
                             done = std::move(done)](const QList<LiveWindow>& live) {
        auto self = weak.lock();
        if (!self)
            return;
        // Access lost during the walk ends the snapshot without a word.
        if (!(*self)->services_.isTrusted()) {
            done(std::nullopt);
            return;
        }
        done((*self)->snapshotOf(targets, live, name, id, createdAt));
    });
}

Workspace WorkspacesProvider::snapshotOf(const QList<SweepTarget>& targets,
                                         const QList<LiveWindow>& live, const QString& name,
                                         const QUuid& id, const QDateTime& createdAt) const {
    QHash<QString, const SweepTarget*> targetOf;
    for (const SweepTarget& target : targets)
        if (!targetOf.contains(target.bundleID))
            targetOf.insert(target.bundleID, &target);

    std::vector<AppRecord> apps;
    QHash<QString, std::size_t> appIndex;
    for (const LiveWindow& window : live) {
        const QString& bundleID = window.window.bundleID;
        auto found = appIndex.constFind(bundleID);
        if (found == appIndex.constEnd()) {
            found = appIndex.insert(bundleID, apps.size());
            const SweepTarget* target = targetOf.value(bundleID);
            apps.push_back({bundleID,
                            target ? target->appPath : std::nullopt,
                            {},
                            target ? target->arguments : std::nullopt});
        }
        apps[*found].windows.push_back(
            {window.window.title, window.window.frame, window.isMinimized, window.documentURL});
    }
    std::stable_sort(apps.begin(), apps.end(), [](const AppRecord& a, const AppRecord& b) {
        return codePointLess(a.bundleID, b.bundleID);
    });
    return Workspace{id, name, createdAt, displaySignature(), std::move(apps)};
}

QString WorkspacesProvider::displaySignature() const {
    return vellaro::displaySignature(services_.access.windowSystem().monitors());
}

std::optional<qsizetype> WorkspacesProvider::indexOf(const QUuid& id) const {
    const auto& list = config_.workspaces;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const Workspace& workspace) { return workspace.id == id; });
    if (found == list.end())
        return std::nullopt;
    return qsizetype(found - list.begin());
}

void WorkspacesProvider::saveAndAnnounce() {
    store_.save(config_);
    changed();
}

} // namespace vellaro
