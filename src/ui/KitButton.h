#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

// A kit widget that reports each click, from the pointer or the keyboard;
// subclasses paint and say when it may be clicked.
class KitButton : public KitWidget {
    Q_OBJECT
public:
    explicit KitButton(const Pal& pal, QWidget* parent = nullptr) : KitWidget(pal, parent) {
        takeKeyboardFocus();
    }

Q_SIGNALS:
    void clicked();

protected:
    void clickedAt(QPointF) override { Q_EMIT clicked(); }
};

} // namespace vellaro
