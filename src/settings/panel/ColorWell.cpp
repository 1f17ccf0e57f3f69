#include "settings/panel/ColorWell.h"

#include "ui/KitPaint.h"

#include <QColorDialog>
#include <QPainter>

namespace vellaro {

ColorWell::ColorWell(const Pal& pal, QColor color, QWidget* parent)
    : KitWidget(pal, parent), color_(std::move(color)) {}

void ColorWell::setColor(const QColor& color) {
    if (color == color_)
        return;
    color_ = color;
    update();
}

void ColorWell::clickedAt(QPointF) {
    if (!picker_) {
        picker_ = new QColorDialog(color_, this);
        picker_->setAttribute(Qt::WA_DeleteOnClose);
        picker_->setWindowTitle(QString());
        connect(picker_, &QColorDialog::colorSelected, this, &ColorWell::picked);
    }
    picker_->setCurrentColor(color_);
    picker_->show();
    picker_->raise();
    picker_->activateWindow();
}

void ColorWell::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(frame, 6), pal().well, pal().line);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(frame.adjusted(3, 3, -3, -3), 4), color_,
                            pal().line);
}

} // namespace vellaro
