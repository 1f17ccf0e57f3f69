#pragma once

#include "model/InstalledApp.h"

#include <QImage>
#include <QSet>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QObject;

namespace vellaro {

// What the console's apps pane asks of the apps section: the pins, the
// installed applications and their icons. Main thread.
class AppsPaneSource {
public:
    // A pin as the dial shows it.
    struct PinnedEntry {
        QString bundleID;
        QString name;
        QImage icon;
        bool isRunning = false;
    };
    // An installed application's name and icon, for rows naming an ID.
    struct AppLook {
        QString name;
        QImage icon;
    };
    using AppsReceiver = std::function<void(const std::vector<InstalledApp>&)>;

    virtual ~AppsPaneSource() = default;

    // The pins that resolve to an installed application, in dial order.
    virtual std::vector<PinnedEntry> pinnedEntries() const = 0;
    // Every pinned ID, resolved or not.
    virtual QSet<QString> pinnedBundleIDs() const = 0;
    // Appends the apps not pinned yet, in order.
    virtual void add(const std::vector<InstalledApp>& apps) = 0;
    // Unpins every pin of the ID.
    virtual void remove(const QString& bundleID) = 0;
    // Unpins the entry at a dial index; the undo puts it back. Empty when
    // the index is out of range.
    virtual std::function<void()> removeEntry(std::int64_t index) = 0;
    // Swaps the pin with its neighbour `step` places away, when there is one.
    virtual void move(const QString& bundleID, std::int64_t step) = 0;
    // The installed applications sorted by name, from the one shared scan,
    // which runs off the main thread; `done` runs on the main thread and
    // never once `context` is gone.
    virtual void installedApps(QObject* context, AppsReceiver done) = 0;
    // The installed application with this ID; none when there is none.
    virtual std::optional<AppLook> lookUp(const QString& bundleID) = 0;
    // The icon the application's desktop file names, from the icon theme.
    virtual QImage icon(const InstalledApp& app) = 0;
};

} // namespace vellaro
