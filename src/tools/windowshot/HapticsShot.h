#pragma once

#include <QString>

namespace vellaro::windowshot {

// The haptics wizard's pages and checklist states, and the haptics nudge,
// light and dark. Returns how many images were written.
int writeHapticsSet(const QString& folder);

} // namespace vellaro::windowshot
