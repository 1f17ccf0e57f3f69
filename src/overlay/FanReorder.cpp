#include "overlay/FanReorder.h"

#include <algorithm>

namespace vellaro::FanReorder {

std::int64_t limit(SectionKind section, std::int64_t savedEntries) {
    const std::int64_t saved = std::max<std::int64_t>(savedEntries, 0);
    switch (section) {
    case SectionKind::apps:
    case SectionKind::workspaces:
        return std::min(saved, mostMovableEntries);
    case SectionKind::actions:
        return saved;
    case SectionKind::windows:
    case SectionKind::files:
    case SectionKind::clipboard:
    case SectionKind::sound:
        return 0;
    }
    return 0;
}

bool canMove(std::int64_t target, std::int64_t current, std::int64_t limit, std::int64_t count) {
    return target != current && target >= 0 && target < limit && target < count && current >= 0 &&
           current < count;
}

} // namespace vellaro::FanReorder
