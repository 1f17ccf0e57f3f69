#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// The logo mark as a kit widget: it follows the window's palette, ink and
// accent.
class KitWaypointMark : public KitWidget {
    Q_OBJECT
public:
    KitWaypointMark(const Pal& pal, qreal lineWidth, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal lineWidth_;
};

} // namespace vellaro
