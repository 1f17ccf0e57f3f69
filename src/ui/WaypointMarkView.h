#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// The logo mark as a widget, in the palette's ink and accent.
class WaypointMarkView : public KitWidget {
    Q_OBJECT
public:
    WaypointMarkView(const Pal& pal, qreal lineWidth, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal lineWidth_;
};

} // namespace vellaro
