#pragma once

#include "ui/KitButton.h"

namespace vellaro {

// A plain 20 × 20 button showing a chevron in `muted`; drawn at 35% when
// disabled.
class ChevronButton : public KitButton {
    Q_OBJECT
public:
    ChevronButton(const Pal& pal, QString symbol, bool enabled, QWidget* parent = nullptr);

    bool isActive() const { return active_; }
    double drawnOpacity() const { return active_ ? 1.0 : 0.35; }
    QSize sizeHint() const override { return QSize(20, 20); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool clickable() const override { return active_; }

private:
    QString symbol_;
    bool active_;
};

} // namespace vellaro
