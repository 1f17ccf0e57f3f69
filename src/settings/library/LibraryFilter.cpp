#include "settings/library/LibraryFilter.h"

#include "core/SpaceTrimming.h"

#include <algorithm>

namespace vellaro::LibraryFilter {

QString blurb(SectionKind kind) {
    switch (kind) {
    case SectionKind::workspaces:
        return QStringLiteral("Save & restore window setups");
    case SectionKind::windows:
        return QStringLiteral("Snap the focused window");
    case SectionKind::apps:
        return QStringLiteral("Pinned launchers");
    case SectionKind::files:
        return QStringLiteral("Pinned folders + recents");
    case SectionKind::clipboard:
        return QStringLiteral("History, previews, paste");
    case SectionKind::sound:
        return QStringLiteral("Volume, mute, devices");
    case SectionKind::actions:
        return QStringLiteral("One-tap system controls");
    }
    return {};
}

std::vector<SectionKind> filtered(const QString& query) {
    const QString needle = trimSpacesAndTabs(query);
    std::vector<SectionKind> kinds;
    for (SectionKind kind : allSectionKinds)
        if (needle.isEmpty() || sectionTitle(kind).contains(needle, Qt::CaseInsensitive) ||
            blurb(kind).contains(needle, Qt::CaseInsensitive))
            kinds.push_back(kind);
    return kinds;
}

std::optional<QString> badge(SectionKind kind, const std::vector<SectionKind>& dial) {
    const auto found = std::find(dial.begin(), dial.end(), kind);
    if (found == dial.end())
        return std::nullopt;
    return QString::number(found - dial.begin() + 1) + QStringLiteral(" of ") +
           QString::number(dial.size());
}

} // namespace vellaro::LibraryFilter
