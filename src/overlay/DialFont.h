#pragma once

#include <QFont>

namespace vellaro {

// The system font at a size in the dial's points, which text layers take as
// layer units (one point is one logical pixel).
QFont dialFont(double points, QFont::Weight weight = QFont::Normal);

// The same size for a widget, whose point sizes follow the screen's DPI.
QFont widgetFont(double points, QFont::Weight weight = QFont::Normal);

} // namespace vellaro
