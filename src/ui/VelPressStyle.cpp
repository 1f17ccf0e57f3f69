#include "ui/VelPressStyle.h"

#include <QPainter>

namespace vellaro {

void VelPressStyle::apply(QPainter& painter, bool pressed) {
    if (!pressed)
        return;
    painter.translate(0, 1);
    painter.setOpacity(painter.opacity() * 0.85);
}

} // namespace vellaro
