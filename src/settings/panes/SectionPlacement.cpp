#include "settings/panes/SectionPlacement.h"

#include "model/EffectiveSections.h"

#include <algorithm>

namespace vellaro {

SectionPlacement SectionPlacement::of(SectionKind kind, const VellaroSettings& settings) {
    const std::vector<SectionKind> dial = effectiveSections(settings);
    SectionPlacement placement;
    placement.count = static_cast<int>(dial.size());
    const auto first = std::find(dial.begin(), dial.end(), kind);
    if (first != dial.end())
        placement.position = static_cast<int>(first - dial.begin()) + 1;
    placement.remainingAfterRemoval =
        placement.count - static_cast<int>(std::count(dial.begin(), dial.end(), kind));
    return placement;
}

QString SectionPlacement::caption() const {
    if (!position)
        return QStringLiteral("Not on the dial");
    return QStringLiteral("Position %1 of %2 · clockwise from 12").arg(*position).arg(count);
}

} // namespace vellaro
