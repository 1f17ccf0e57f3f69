#include "overlay/DialPlacement.h"

#include <algorithm>

namespace vellaro {

bool DialPlacement::contains(const QRectF& frame, QPointF point) {
    return point.x() >= frame.left() && point.x() < frame.right() && point.y() >= frame.top() &&
           point.y() < frame.bottom();
}

std::optional<DialPlacement::Screen> DialPlacement::screenAt(QPointF pointer,
                                                             const std::vector<Screen>& screens,
                                                             std::optional<Screen> primary) {
    for (const Screen& screen : screens) {
        if (contains(screen.frame, pointer))
            return screen;
    }
    return primary;
}

double DialPlacement::clampAxis(double value, double min, double max, double inset) {
    if (2 * inset < max - min)
        return std::min(std::max(value, min + inset), max - inset);
    return (min + max) / 2;
}

QPointF DialPlacement::centre(QPointF pointer, const QRectF& visibleFrame, double inset) {
    return {clampAxis(pointer.x(), visibleFrame.left(), visibleFrame.right(), inset),
            clampAxis(pointer.y(), visibleFrame.top(), visibleFrame.bottom(), inset)};
}

} // namespace vellaro
