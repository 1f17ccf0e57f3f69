#pragma once

#include "overlay/RadialSurface.h"

#include <QColor>

namespace vellaro {

class Layer;
class ShapeLayer;

// The looks of drag editing, laid over a wedge or fan item's rest look in the
// caller's transaction.
namespace DialDragLook {

// The desktop's red for destructive marks, as dark and light themes show it.
QColor removalRed(bool dark);

// A dragged wedge or item that would leave the dial on release: a red dashed
// outline around nothing; a wedge's icon fades too when one is given.
void applyRemoving(ShapeLayer& shape, bool dark, Layer* icon = nullptr);
// The dragged wedge over the ring, or the wedge a library drop would replace.
void applyTarget(ShapeLayer& shape, const RadialSurface& surface, const QColor& accent,
                 double lineWidth, Layer* icon = nullptr);
void clearDash(ShapeLayer& shape);

inline constexpr double draggedWedgeLine = 1.5;
inline constexpr double dropTargetLine = 2.0;

} // namespace DialDragLook

} // namespace vellaro
