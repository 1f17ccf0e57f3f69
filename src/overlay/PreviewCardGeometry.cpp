#include "overlay/PreviewCardGeometry.h"

#include <algorithm>

namespace vellaro::PreviewCardGeometry {

QSizeF imageSize(QSizeF image) {
    const double w = image.width();
    const double h = image.height();
    const double factor =
        std::min({1.0, maxImageWidth / std::max(w, 1.0), maxImageHeight / std::max(h, 1.0)});
    return {w * factor, h * factor};
}

QPointF origin(QPointF anchor, QPointF direction, QSizeF size, std::optional<QRectF> visible) {
    const QPointF reference = anchor + gapBeyondAnchor * direction;
    double x = reference.x() - (0.5 - 0.5 * direction.x()) * size.width();
    double y = reference.y() - (0.5 - 0.5 * direction.y()) * size.height();
    if (visible) {
        x = std::max(x, visible->left() + screenInset);
        x = std::min(x, visible->left() + visible->width() - size.width() - screenInset);
        // y grows downward here, so the top edge is clamped last to win.
        y = std::min(y, visible->top() + visible->height() - size.height() - screenInset);
        y = std::max(y, visible->top() + screenInset);
    }
    return {x, y};
}

} // namespace vellaro::PreviewCardGeometry
