#include "ui/KitSwitch.h"

#include "ui/KitPaint.h"

#include <QPainter>
#include <QRadialGradient>
#include <chrono>

namespace vellaro {

KitSwitch::KitSwitch(const Pal& pal, bool on, std::optional<KitMotion::Services> motion,
                     QWidget* parent)
    : KitWidget(pal, parent), on_(on),
      slide_(motion, std::chrono::milliseconds(250), [this](double) { update(); }) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    takeKeyboardFocus();
    slide_.jumpTo(on ? 1 : 0);
}

void KitSwitch::setOn(bool on) {
    if (on == on_)
        return;
    on_ = on;
    slide_.animateTo(on ? 1 : 0);
    update();
}

QRectF KitSwitch::trackRect() const {
    return QRectF(margin, margin, 42, 24);
}

QPainterPath KitSwitch::focusRing() const {
    // Around the track, inside the halo's margin.
    return KitPaint::roundedRect(trackRect().adjusted(-2, -2, 2, 2), 15);
}

QPointF KitSwitch::knobCenter() const {
    const QRectF track = trackRect();
    const double left = track.left() + 3 + 9, right = track.right() - 3 - 9;
    return QPointF(left + (right - left) * slide_.value(), track.center().y());
}

void KitSwitch::paintEvent(QPaintEvent*) {
    // Drawn again only when the switch or its knob moves.
    cache_.paint(*this, pal(), QStringLiteral("%1 %2").arg(on_).arg(knobCenter().x()),
                 [this](QPainter& painter) { draw(painter); });
}

void KitSwitch::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath track = KitPaint::roundedRect(trackRect(), 13);
    if (on_)
        KitPaint::shadow(painter, track, pal().glow, 6, {0, 1});
    KitPaint::fillAndStroke(painter, track, on_ ? pal().accent : pal().well, pal().line);

    const QPointF centre = knobCenter();
    QPainterPath knob;
    knob.addEllipse(centre, 9, 9);
    KitPaint::shadow(painter, knob, QColor(0, 0, 0, 77), 1.5, {0, 1});
    QRadialGradient shine(centre + QPointF(18 * (0.35 - 0.5), 18 * (0.30 - 0.5)), 12);
    shine.setColorAt(1.0 / 12, Qt::white);
    shine.setColorAt(1, QColor::fromRgbF(0.82f, 0.82f, 0.82f));
    painter.fillPath(knob, shine);
    painter.setPen(Qt::NoPen);
    painter.setBrush(on_ ? pal().accent : QColor(0, 0, 0, 64));
    painter.drawEllipse(centre + QPointF(3.5, -3.5), 1.75, 1.75);
}

} // namespace vellaro
