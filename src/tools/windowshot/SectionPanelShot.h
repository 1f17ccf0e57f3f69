#pragma once

#include <QString>

namespace vellaro::windowshot {

// The context panel of every section, the clipboard exclusions sheet empty
// and with rows, and the apps pane with nine pins and a search, in a light
// and a dark look. Returns how many images were written.
int writeSectionPanelSet(const QString& folder);

} // namespace vellaro::windowshot
