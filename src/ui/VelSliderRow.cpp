#include "ui/VelSliderRow.h"

#include "ui/KitPaint.h"
#include "ui/SliderMath.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

QFont labelFont() {
    return KitPaint::font(12.5);
}
QFont badgeFont() {
    return KitPaint::font(10.5, QFont::DemiBold, true);
}
double badgeHeight() {
    return QFontMetricsF(badgeFont()).height() + 8;
}

} // namespace

VelSliderRow::VelSliderRow(const Pal& pal, QString label, double value, Range range, QString unit,
                           QWidget* parent)
    : KitWidget(pal, parent), label_(std::move(label)), value_(value), range_(range),
      unit_(std::move(unit)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void VelSliderRow::setValue(double value) {
    if (value == value_)
        return;
    value_ = value;
    update();
}

double VelSliderRow::labelWidth() const {
    return QFontMetricsF(labelFont()).horizontalAdvance(label_);
}

QSize VelSliderRow::sizeFor(double slider) const {
    const double height =
        std::max({sliderHeight + 8, badgeHeight() + 2, QFontMetricsF(labelFont()).height()});
    return QSize(int(std::ceil(labelWidth() + 3 * spacing + slider + badgeWidth)),
                 int(std::ceil(height)));
}

QSize VelSliderRow::sizeHint() const {
    return sizeFor(sliderWidth);
}

QSize VelSliderRow::minimumSizeHint() const {
    return QSize(int(std::ceil(2 * spacing + narrowestSlider + badgeWidth)), sizeHint().height());
}

QRectF VelSliderRow::badgeRect() const {
    return QRectF(width() - badgeWidth, (height() - badgeHeight()) / 2, badgeWidth, badgeHeight());
}

QRectF VelSliderRow::sliderRect() const {
    const double room = width() - labelWidth() - 3 * spacing - badgeWidth;
    const double slider = std::clamp(room, narrowestSlider, sliderWidth);
    return QRectF(width() - badgeWidth - spacing - slider, (height() - sliderHeight) / 2, slider,
                  sliderHeight);
}

void VelSliderRow::paintEvent(QPaintEvent*) {
    // Drawn again only when the value (or the palette or size) changes.
    cache_.paint(*this, pal(), QString::number(value_),
                 [this](QPainter& painter) { draw(painter); });
}

void VelSliderRow::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(labelFont());
    painter.setPen(pal().ink);
    const QRectF slider = sliderRect();
    const double labelRoom = slider.left() - spacing;
    painter.drawText(QRectF(0, 0, labelRoom, height()), Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetricsF(labelFont()).elidedText(label_, Qt::ElideRight, labelRoom));

    const double f = SliderMath::fraction(value_, range_.lower, range_.upper);
    // Past either end the fill and knob run on; only a drawable width is kept.
    const double x = std::clamp(f, -1e3, 1e3) * slider.width();
    const double midY = slider.center().y();
    const QRectF track(slider.left(), midY - 3, slider.width(), 6);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(track, 3), pal().well, pal().line);
    const QPainterPath fill =
        KitPaint::roundedRect(QRectF(slider.left(), midY - 3, std::max(x, 6.0), 6), 3);
    KitPaint::shadow(painter, fill, pal().glow, 4, {0, 0});
    painter.fillPath(fill, pal().accent);

    const QPointF knob(slider.left() + x, midY);
    QPainterPath circle;
    circle.addEllipse(knob, 8.5, 8.5);
    KitPaint::shadow(painter, circle, pal().glow, 4, {0, 1});
    painter.fillPath(circle, pal().bgTop);
    painter.setPen(QPen(pal().accent, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(knob, 7.5, 7.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(pal().accent);
    painter.drawEllipse(knob, 2.5, 2.5);

    const QRectF badge = badgeRect();
    const QFontMetricsF metrics(badgeFont());
    const QString text = SliderMath::badgeText(value_, unit_);
    const double content = metrics.horizontalAdvance(text) + 14;
    const QRectF chip(badge.center().x() - content / 2, badge.top(), content, badge.height());
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(chip.adjusted(0.5, 0.5, -0.5, -0.5), 6),
                            pal().well, pal().line);
    painter.setFont(badgeFont());
    painter.setPen(pal().ink);
    painter.drawText(chip, Qt::AlignCenter, text);
}

void VelSliderRow::chooseAt(double x) {
    const QRectF slider = sliderRect();
    const double next = SliderMath::valueAt(x - slider.left(), slider.width(), range_.lower,
                                            range_.upper, range_.step);
    // Only a new stepped value is worth a write.
    if (next == value_)
        return;
    value_ = next;
    update();
    Q_EMIT valueChanged(next);
}

void VelSliderRow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !sliderRect().contains(event->position())) {
        event->ignore();
        return;
    }
    dragging_ = true;
    chooseAt(event->position().x());
}

void VelSliderRow::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_ && (event->buttons() & Qt::LeftButton))
        chooseAt(event->position().x());
}

void VelSliderRow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

} // namespace vellaro
