#pragma once

#include <QString>

namespace vellaro {

// Removes space separators (the space, the no-break space, ...) and tabs
// from both ends; line breaks stay.
QString trimSpacesAndTabs(const QString& text);

} // namespace vellaro
