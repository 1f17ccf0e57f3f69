#pragma once

#include <QString>

namespace vellaro::windowshot {

// The setup assistant's pages in each of their states, light and dark.
// Returns how many images were written.
int writeOnboardingSet(const QString& folder);

} // namespace vellaro::windowshot
