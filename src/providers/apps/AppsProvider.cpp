#include "providers/apps/AppsProvider.h"

#include "model/MenuDataSource.h"
#include "platform/apps/AppLauncher.h"
#include "platform/apps/Logging.h"
#include "platform/apps/RunningApps.h"
#include "platform/session/Desktop.h"

#include <QFileInfo>
#include <QPointer>
#include <algorithm>

namespace vellaro {

AppsProvider::AppsProvider(std::unique_ptr<AppsStore> store,
                           std::unique_ptr<InstalledAppsIndex> index, Services services)
    : store_(std::move(store)), index_(std::move(index)), services_(std::move(services)),
      receiver_(std::make_unique<QObject>()), self_(std::make_shared<AppsProvider*>(this)) {
    config_ = store_->load();
    rebuildEntries();
    // Windows appearing and going stand for launches and terminations: an
    // application without a window counts as not running.
    QObject::connect(&services_.running, &RunningApps::runningChanged, receiver_.get(),
                     [this] { refreshRunningState(); });
}

AppsProvider::~AppsProvider() = default;

std::function<void()> AppsProvider::whileAlive(std::function<void(AppsProvider&)> action) const {
    return [weak = std::weak_ptr<AppsProvider*>(self_), action = std::move(action)] {
        if (const auto self = weak.lock())
            action(**self);
    };
}

std::optional<AppsProvider::Entry> AppsProvider::makeEntry(const PinnedApp& pin,
                                                           const QSet<QString>& running) const {
    std::optional<DesktopEntry> desktopEntry;
    if (QFileInfo(pin.path).isFile())
        desktopEntry = services_.catalog.readFile(pin.path);
    if (!desktopEntry)
        desktopEntry = services_.catalog.find(pin.bundleID);
    if (!desktopEntry) {
        qCInfo(lcApps).noquote() << QStringLiteral("Pinned app unavailable: %1").arg(pin.bundleID);
        return std::nullopt;
    }
    Entry entry;
    entry.bundleID = pin.bundleID;
    entry.name = pin.name;
    entry.path = desktopEntry->path;
    entry.icon = services_.icon ? services_.icon(*desktopEntry) : QImage();
    entry.isRunning = running.contains(pin.bundleID);
    entry.desktopEntry = std::move(*desktopEntry);
    return entry;
}

void AppsProvider::rebuildEntries() {
    const QSet<QString> running = services_.running.runningIds();
    std::vector<Entry> entries;
    for (const PinnedApp& pin : config_.pinned) {
        if (std::optional<Entry> entry = makeEntry(pin, running))
            entries.push_back(std::move(*entry));
    }
    entries_ = std::move(entries);
}

void AppsProvider::refreshRunningState() {
    const QSet<QString> running = services_.running.runningIds();
    bool changedAny = false;
    for (Entry& entry : entries_) {
        const bool now = running.contains(entry.bundleID);
        changedAny = changedAny || now != entry.isRunning;
        entry.isRunning = now;
    }
    if (changedAny)
        changed();
}

void AppsProvider::commit() {
    store_->save(config_);
    rebuildEntries();
    changed();
}

std::vector<MenuItem> AppsProvider::items() {
    std::vector<MenuItem> items;
    const std::size_t shown = std::min(entries_.size(), static_cast<std::size_t>(shownPins));
    for (std::size_t i = 0; i < shown; ++i) {
        const Entry& entry = entries_[i];
        MenuItem item(entry.name, MenuItem::Icon::image(entry.icon));
        item.showsRunningDot = entry.isRunning;
        item.action = whileAlive([entry](AppsProvider& self) { self.activate(entry); });
        item.menuActions = menuActions(entry);
        items.push_back(std::move(item));
    }
    MenuItem add(QStringLiteral("Add App"), MenuItem::Icon::symbol(QStringLiteral("plus")));
    add.action = services_.showPicker;
    items.push_back(std::move(add));
    return items;
}

std::vector<MenuAction> AppsProvider::menuActions(const Entry& entry) {
    std::vector<MenuAction> actions;
    actions.emplace_back(QStringLiteral("Open"),
                         whileAlive([entry](AppsProvider& self) { self.activate(entry); }));
    actions.emplace_back(
        QStringLiteral("Reveal in Files"),
        [&desktop = services_.desktop, path = entry.path] { desktop.reveal(path); });
    if (services_.running.isRunning(entry.bundleID)) {
        RunningApps& running = services_.running;
        actions.emplace_back(QStringLiteral("Hide"),
                             [&running, id = entry.bundleID] { running.hide(id); });
        actions.emplace_back(QStringLiteral("Quit"),
                             [&running, id = entry.bundleID] { running.quit(id); });
    }
    actions.emplace_back(
        QStringLiteral("Remove from Vellaro"),
        whileAlive([id = entry.bundleID](AppsProvider& self) { self.remove(id); }));
    return actions;
}

void AppsProvider::activate(const Entry& entry) {
    // Running Exec again would start a second copy of most programs.
    if (services_.running.activate(entry.bundleID)) {
        qCInfo(lcApps).noquote() << QStringLiteral("Activated %1").arg(entry.name);
        return;
    }
    QString error;
    if (!services_.launcher.launch(entry.desktopEntry, &error))
        qCCritical(lcApps).noquote()
            << QStringLiteral("Open failed for %1: %2").arg(entry.name, error);
}

QSet<QString> AppsProvider::pinnedBundleIDs() const {
    QSet<QString> ids;
    for (const PinnedApp& pin : config_.pinned)
        ids.insert(pin.bundleID);
    return ids;
}

qsizetype AppsProvider::pinIndex(const QString& bundleID) const {
    const auto found = std::find_if(config_.pinned.begin(), config_.pinned.end(),
                                    [&](const PinnedApp& pin) { return pin.bundleID == bundleID; });
    return found == config_.pinned.end() ? -1 : found - config_.pinned.begin();
}

void AppsProvider::add(const std::vector<InstalledApp>& apps) {
    QSet<QString> known = pinnedBundleIDs();
    for (const InstalledApp& app : apps) {
        // Also guards against a list that names an app twice.
        if (known.contains(app.bundleID))
            continue;
        known.insert(app.bundleID);
        config_.pinned.push_back({app.bundleID, app.name, app.path});
    }
    commit();
}

void AppsProvider::remove(const QString& bundleID) {
    std::erase_if(config_.pinned, [&](const PinnedApp& pin) { return pin.bundleID == bundleID; });
    commit();
}

std::function<void()> AppsProvider::removeEntry(std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(entries_.size()))
        return {};
    const qsizetype position = pinIndex(entries_[static_cast<std::size_t>(index)].bundleID);
    if (position < 0)
        return {};
    const PinnedApp removed = config_.pinned[static_cast<std::size_t>(position)];
    config_.pinned.erase(config_.pinned.begin() + position);
    commit();
    return whileAlive([removed, position](AppsProvider& self) {
        if (self.pinIndex(removed.bundleID) >= 0)
            return;
        const auto at = std::min(static_cast<std::size_t>(position), self.config_.pinned.size());
        self.config_.pinned.insert(self.config_.pinned.begin() + static_cast<std::ptrdiff_t>(at),
                                   removed);
        self.commit();
    });
}

std::int64_t AppsProvider::removableItemCount() {
    return std::min(static_cast<std::int64_t>(entries_.size()), shownPins);
}

std::optional<SectionProvider::Removal> AppsProvider::removeItem(std::int64_t index) {
    std::function<void()> undo = removeEntry(index);
    if (!undo)
        return std::nullopt;
    return Removal{std::move(undo), std::nullopt};
}

bool AppsProvider::moveEntry(std::int64_t from, std::int64_t to) {
    const auto count = static_cast<std::int64_t>(entries_.size());
    if (from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    const qsizetype source = pinIndex(entries_[static_cast<std::size_t>(from)].bundleID);
    const qsizetype target = pinIndex(entries_[static_cast<std::size_t>(to)].bundleID);
    if (source < 0 || target < 0)
        return false;
    const PinnedApp moving = config_.pinned[static_cast<std::size_t>(source)];
    config_.pinned.erase(config_.pinned.begin() + source);
    config_.pinned.insert(config_.pinned.begin() + target, moving);
    commit();
    return true;
}

void AppsProvider::move(const QString& bundleID, std::int64_t step) {
    const qsizetype i = pinIndex(bundleID);
    if (i < 0)
        return;
    const std::int64_t j = i + step;
    if (j < 0 || j >= static_cast<std::int64_t>(config_.pinned.size()))
        return;
    std::swap(config_.pinned[static_cast<std::size_t>(i)],
              config_.pinned[static_cast<std::size_t>(j)]);
    commit();
}

std::vector<AppsPaneSource::PinnedEntry> AppsProvider::pinnedEntries() const {
    std::vector<PinnedEntry> shown;
    shown.reserve(entries_.size());
    for (const Entry& entry : entries_)
        shown.push_back({entry.bundleID, entry.name, entry.icon, entry.isRunning});
    return shown;
}

void AppsProvider::installedApps(QObject* context, AppsReceiver done) {
    index_->apps([context = QPointer<QObject>(context),
                  done = std::move(done)](const std::vector<InstalledApp>& apps) {
        if (context)
            done(apps);
    });
}

std::optional<AppsPaneSource::AppLook> AppsProvider::lookUp(const QString& bundleID) {
    const std::optional<DesktopEntry> entry = services_.catalog.find(bundleID);
    if (!entry)
        return std::nullopt;
    return AppLook{entry->name, services_.icon ? services_.icon(*entry) : QImage()};
}

QImage AppsProvider::icon(const InstalledApp& app) {
    if (!services_.icon)
        return {};
    if (const std::optional<DesktopEntry> entry = services_.catalog.readFile(app.path))
        return services_.icon(*entry);
    return {};
}

AppsProvider* appsProvider(MenuDataSource& dataSource) {
    return dynamic_cast<AppsProvider*>(&dataSource.provider(SectionKind::apps));
}

} // namespace vellaro
