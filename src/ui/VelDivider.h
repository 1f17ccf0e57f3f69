#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// The kit's rule: a 1-point line in `line`, 2 points of room above and below.
class VelDivider : public KitWidget {
    Q_OBJECT
public:
    explicit VelDivider(const Pal& pal, QWidget* parent = nullptr);
    QSize sizeHint() const override { return QSize(10, 5); }

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace vellaro
