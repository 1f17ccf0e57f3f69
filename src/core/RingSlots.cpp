#include "core/RingSlots.h"

#include "core/DragZones.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vellaro::RingSlots {

namespace {

constexpr double twoPi = 2 * std::numbers::pi;
constexpr double insertBefore = 0.27;
constexpr double insertAfter = 0.73;

} // namespace

Position position(double angle, std::int64_t slotCount) {
    const std::int64_t n = std::max<std::int64_t>(slotCount, 1);
    const double slice = twoPi / double(n);
    double turned = std::fmod(angle + slice / 2, twoPi);
    if (turned < 0)
        turned += twoPi;
    const double pos = turned / slice;
    const double whole = std::floor(pos);
    const std::int64_t slot = ((std::int64_t(whole) % n) + n) % n;
    return {slot, pos - whole};
}

bool acceptsInsertion(std::int64_t sectionCount) {
    return sectionCount < RadialLayout::maxSectionCount;
}

LibraryDropTarget libraryTarget(double angle, std::int64_t sectionCount,
                                std::optional<std::int64_t> ghost) {
    const bool inserting = acceptsInsertion(sectionCount);
    if (ghost && (!inserting || *ghost < 0 || *ghost > sectionCount))
        ghost.reset();
    const auto [slot, fraction] = position(angle, sectionCount + (ghost ? 1 : 0));

    if (inserting && (fraction < insertBefore || fraction > insertAfter)) {
        std::int64_t at = 0;
        if (fraction < insertBefore)
            at = ghost && *ghost < slot ? slot - 1 : slot;
        else
            at = ghost && *ghost <= slot ? slot : slot + 1;
        return {std::nullopt, std::min(sectionCount, std::max<std::int64_t>(at, 0))};
    }
    if (ghost && slot == *ghost)
        return {std::nullopt, ghost};
    if (sectionCount < 1)
        return {};
    return {ghost && *ghost < slot ? slot - 1 : slot, std::nullopt};
}

LibraryDropTarget libraryTarget(Point point, Point center, const RadialLayout& layout, double scale,
                                std::int64_t sectionCount, std::optional<std::int64_t> ghost) {
    const double distance = std::hypot(point.x - center.x, point.y - center.y);
    if (!DragZones::inLibraryDropBand(layout, scale, distance))
        return {};
    return libraryTarget(RadialLayout::angle(point, center), sectionCount, ghost);
}

} // namespace vellaro::RingSlots
