#pragma once

#include "model/SectionKind.h"

#include <QPointF>
#include <QRectF>

namespace vellaro {

// How the console reaches its live preview dial without keeping it alive:
// every call does nothing once the dial is gone.
class PreviewHandle {
public:
    virtual ~PreviewHandle() = default;

    // The dial's frame in the console's coordinates; empty while the dial is
    // gone, hidden or not laid out yet.
    virtual QRectF frame() const = 0;
    // Shows where a library section at `point` (the dial's own
    // coordinates) would land.
    virtual void updateLibraryDrag(QPointF point) = 0;
    // Clears that indication.
    virtual void clear() = 0;
    // Completes a library drop at the target last shown.
    virtual void drop(SectionKind section) = 0;
};

} // namespace vellaro
