#pragma once

#include "model/AppsPaneSource.h"
#include "model/InstalledApp.h"
#include "model/SectionProvider.h"
#include "platform/apps/AppCatalog.h"
#include "platform/apps/DesktopEntry.h"
#include "providers/apps/AppsConfiguration.h"
#include "providers/apps/AppsStore.h"
#include "providers/apps/InstalledAppsIndex.h"

#include <QImage>
#include <QObject>
#include <QSet>
#include <functional>
#include <memory>
#include <vector>

namespace vellaro {

class AppLauncher;
class Desktop;
class MenuDataSource;
class RunningApps;

// The apps section: one item per pinned application (at most seven), which
// brings the application forward when it has a window and launches it
// otherwise, then "Add App". Holds the pins loaded by its store and saves
// the whole list after every edit. Main thread.
class AppsProvider final : public SectionProvider, public AppsPaneSource {
public:
    static constexpr std::int64_t shownPins = 7;

    // A pin as the dial shows it.
    struct Entry {
        QString bundleID;
        QString name; // the pin's stored name
        QString path; // where the desktop file is now
        QImage icon;
        bool isRunning = false;
        DesktopEntry desktopEntry; // what a launch runs
    };

    struct Services {
        AppCatalog catalog;
        RunningApps& running;
        AppLauncher& launcher;
        Desktop& desktop;
        std::function<QImage(const DesktopEntry&)> icon;
        std::function<void()> showPicker;
    };

    AppsProvider(std::unique_ptr<AppsStore> store, std::unique_ptr<InstalledAppsIndex> index,
                 Services services);
    ~AppsProvider() override;

    std::vector<MenuItem> items() override;
    void refresh() override { refreshRunningState(); }
    std::int64_t removableItemCount() override;
    std::optional<Removal> removeItem(std::int64_t index) override;
    bool moveItem(std::int64_t from, std::int64_t to) override { return moveEntry(from, to); }

    InstalledAppsIndex& index() { return *index_; }
    const AppsConfiguration& configuration() const { return config_; }
    // The pins that resolve to an installed application, in pin order.
    const std::vector<Entry>& entries() const { return entries_; }

    // Re-reads which entries run; announces a change only when a dot changed.
    void refreshRunningState();
    // Brings the application's window forward, or launches it when it has none.
    void activate(const Entry& entry);
    std::vector<MenuAction> menuActions(const Entry& entry);
    QSet<QString> pinnedBundleIDs() const override;

    // Appends the apps not pinned yet, in the given order; always saves.
    void add(const std::vector<InstalledApp>& apps) override;
    // Unpins every pin of the ID; always saves.
    void remove(const QString& bundleID) override;
    // Unpins the entry at a dial index; the undo puts it back where it was
    // unless the app was pinned again meanwhile. Empty when nothing changed.
    std::function<void()> removeEntry(std::int64_t index) override;
    // Moves the entry at dial index `from` to the place of the one at `to`.
    bool moveEntry(std::int64_t from, std::int64_t to);
    // Swaps the pin with its neighbour `step` places away.
    void move(const QString& bundleID, std::int64_t step) override;

    // The console's apps pane.
    std::vector<PinnedEntry> pinnedEntries() const override;
    void installedApps(QObject* context, AppsReceiver done) override;
    std::optional<AppLook> lookUp(const QString& bundleID) override;
    QImage icon(const InstalledApp& app) override;

private:
    void commit();
    void rebuildEntries();
    std::optional<Entry> makeEntry(const PinnedApp& pin, const QSet<QString>& running) const;
    qsizetype pinIndex(const QString& bundleID) const;
    // Runs `action` on this provider if it still exists.
    std::function<void()> whileAlive(std::function<void(AppsProvider&)> action) const;

    std::unique_ptr<AppsStore> store_;
    std::unique_ptr<InstalledAppsIndex> index_;
    Services services_;
    AppsConfiguration config_;
    std::vector<Entry> entries_;
    std::unique_ptr<QObject> receiver_; // for the running apps' signal
    std::shared_ptr<AppsProvider*> self_;
};

// The shared data source's apps provider; null when the section has none.
AppsProvider* appsProvider(MenuDataSource& dataSource);

} // namespace vellaro
