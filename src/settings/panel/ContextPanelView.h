#pragma once

#include "model/Pal.h"

#include <QWidget>

namespace vellaro {

// The context panel as the console holds it: a 340-point column that the
// console tells about palette, settings and selection changes.
class ContextPanelView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    virtual void setPal(const Pal& pal) = 0;
    virtual void settingsChanged() = 0;
    virtual void selectionChanged() = 0;
};

} // namespace vellaro
