#include "workspaces/WindowLayout.h"

#include <algorithm>

namespace vellaro {

QString windowLayoutLabel(WindowLayout layout) {
    const auto entry = std::ranges::find(windowLayouts, layout, &WindowLayoutEntry::layout);
    return QString::fromUtf8(entry->label);
}

} // namespace vellaro
