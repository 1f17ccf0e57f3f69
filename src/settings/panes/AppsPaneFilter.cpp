#include "settings/panes/AppsPaneFilter.h"

#include "core/SpaceTrimming.h"

namespace vellaro::AppsPaneFilter {

std::vector<InstalledApp> availableApps(const std::vector<InstalledApp>& installed,
                                        const QSet<QString>& pinned) {
    std::vector<InstalledApp> available;
    available.reserve(installed.size());
    for (const InstalledApp& app : installed)
        if (!pinned.contains(app.bundleID))
            available.push_back(app);
    return available;
}

std::vector<InstalledApp> matches(const std::vector<InstalledApp>& available,
                                  const QString& query) {
    const QString needle = trimSpacesAndTabs(query);
    std::vector<InstalledApp> found;
    if (needle.isEmpty())
        return found;
    for (const InstalledApp& app : available) {
        if (found.size() == maximumMatches)
            break;
        if (app.name.contains(needle, Qt::CaseInsensitive))
            found.push_back(app);
    }
    return found;
}

QString noMatchesText(const QString& query) {
    return QStringLiteral("No matches for “") + query + QStringLiteral("”");
}

QString pinToast(const QString& name, std::size_t pinnedCount) {
    return name + (pinnedCount > dialLimit
                       ? QStringLiteral(" pinned — move it up to show it on the dial")
                       : QStringLiteral(" pinned to Apps"));
}

double rowOpacity(std::size_t index) {
    return index < dialLimit ? 1.0 : 0.55;
}

bool canMoveUp(std::size_t index) {
    return index > 0;
}

bool canMoveDown(std::size_t index, std::size_t count) {
    return index + 1 < count;
}

QString dialLimitNote(std::size_t pinnedCount) {
    if (pinnedCount <= dialLimit)
        return {};
    return QStringLiteral("The dial shows the first %1 — reorder to choose which.").arg(dialLimit);
}

} // namespace vellaro::AppsPaneFilter
