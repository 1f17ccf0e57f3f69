#include "ui/VelSeg.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

constexpr double points = 11.5;
constexpr double padding = 3, spacing = 2, optionPadX = 10, optionPadY = 6;

QFont optionFont() {
    return KitPaint::font(points, QFont::Medium);
}

} // namespace

VelSeg::VelSeg(const Pal& pal, QStringList options, QString selected, QWidget* parent)
    : KitWidget(pal, parent), options_(std::move(options)), selected_(std::move(selected)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void VelSeg::setSelected(const QString& selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

QRectF VelSeg::optionRect(int index) const {
    const QFontMetricsF metrics(optionFont());
    const double height = metrics.height() + 2 * optionPadY;
    double x = padding;
    for (int i = 0; i < options_.size(); ++i) {
        const double width = metrics.horizontalAdvance(options_[i]) + 2 * optionPadX;
        if (i == index)
            return QRectF(x, padding, width, height);
        x += width + spacing;
    }
    return {};
}

QSize VelSeg::sizeHint() const {
    if (options_.isEmpty())
        return QSize(int(2 * padding), int(2 * padding));
    const QRectF last = optionRect(int(options_.size()) - 1);
    return QSize(int(std::ceil(last.right() + padding)), int(std::ceil(last.bottom() + padding)));
}

void VelSeg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = QRectF(QPointF(), QSizeF(sizeHint())).adjusted(0.5, 0.5, -0.5, -0.5);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(whole, 10), pal().well, pal().line);
    painter.setFont(optionFont());
    for (int i = 0; i < options_.size(); ++i) {
        const QRectF option = optionRect(i);
        const bool selected = options_[i] == selected_;
        if (selected) {
            const QPainterPath shape = KitPaint::roundedRect(option, 7);
            KitPaint::shadow(painter, shape, pal().glow, 5, {0, 1});
            KitPaint::fillAndStroke(painter, shape, pal().accentSoft, pal().accent);
        }
        painter.setPen(selected ? pal().ink : pal().muted);
        painter.drawText(option, Qt::AlignCenter | Qt::TextSingleLine, options_[i]);
    }
}

void VelSeg::clickedAt(QPointF point) {
    for (int i = 0; i < options_.size(); ++i)
        if (optionRect(i).contains(point)) {
            Q_EMIT chosen(options_[i]);
            return;
        }
}

} // namespace vellaro
