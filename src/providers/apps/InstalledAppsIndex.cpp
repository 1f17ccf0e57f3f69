#include "providers/apps/InstalledAppsIndex.h"

#include "platform/apps/AppCatalog.h"

#include <QCollator>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

namespace vellaro {

InstalledAppsIndex::InstalledAppsIndex(Scan scan)
    : scan_(std::move(scan)), context_(std::make_unique<QObject>()) {}

InstalledAppsIndex::~InstalledAppsIndex() = default;

std::vector<InstalledApp> InstalledAppsIndex::scanCatalog(const AppCatalog& catalog) {
    std::vector<InstalledApp> apps;
    for (DesktopEntry& entry : catalog.scan())
        apps.push_back({std::move(entry.id), std::move(entry.name), std::move(entry.path)});
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(apps.begin(), apps.end(), [&](const InstalledApp& a, const InstalledApp& b) {
        return collator.compare(a.name, b.name) < 0;
    });
    return apps;
}

void InstalledAppsIndex::apps(Receiver receiver) {
    if (apps_) {
        receiver(*apps_);
        return;
    }
    waiting_.push_back(std::move(receiver));
    if (scanning_)
        return;
    scanning_ = QtConcurrent::run(scan_);
    scanning_->then(context_.get(), [this](const std::vector<InstalledApp>& found) {
        apps_ = found;
        // A receiver may ask again while the list is handed out.
        const std::vector<Receiver> receivers = std::exchange(waiting_, {});
        for (const Receiver& waiting : receivers)
            waiting(*apps_);
    });
}

} // namespace vellaro
