#pragma once

#include "ui/KitWidget.h"

#include <QPointer>

#include <QColorDialog>

namespace vellaro {

// A colour swatch that opens a colour picker (no opacity) beside the
// window; the picked colour is reported through picked().
class ColorWell : public KitWidget {
    Q_OBJECT
public:
    explicit ColorWell(const Pal& pal, QColor color, QWidget* parent = nullptr);

    QColor color() const { return color_; }
    void setColor(const QColor& color);
    // The picker, once opened.
    QColorDialog* picker() const { return picker_; }

    QSize sizeHint() const override { return QSize(44, 22); }
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void picked(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void clickedAt(QPointF point) override;

private:
    QColor color_;
    QPointer<QColorDialog> picker_;
};

} // namespace vellaro
