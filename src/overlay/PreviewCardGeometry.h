#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <optional>

namespace vellaro {

// Sizing and placement of the fan preview card, in Qt's screen coordinates
// (y down). Kept apart from the window so the rules can be checked as tables.
namespace PreviewCardGeometry {

inline constexpr double maxTextWidth = 260;
inline constexpr double maxImageWidth = 260;
inline constexpr double maxImageHeight = 160;
inline constexpr double margin = 12;
inline constexpr double spacing = 6;
inline constexpr double gapBeyondAnchor = 18;
inline constexpr double screenInset = 8;

// An image preview is shrunk proportionally to fit 260 x 160, never enlarged.
QSizeF imageSize(QSizeF image);

// Top-left of a card of `size` whose near side faces the dial 18 points
// beyond `anchor` along the unit `direction` (pointing away from the dial),
// kept 8 points inside `visible` when given. When the card does not fit, its
// right and top edges win.
QPointF origin(QPointF anchor, QPointF direction, QSizeF size, std::optional<QRectF> visible);

} // namespace PreviewCardGeometry

} // namespace vellaro
