#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// A kit widget that reports each click; subclasses paint and say when it
// may be clicked.
class KitButton : public KitWidget {
    Q_OBJECT
public:
    using KitWidget::KitWidget;

Q_SIGNALS:
    void clicked();

protected:
    void clickedAt(QPointF) override { Q_EMIT clicked(); }
};

} // namespace vellaro
