#include "ui/VelSeg.h"

#include "ui/KitPaint.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>
#include <utility>

namespace vellaro {

namespace {

constexpr double points = 11.5;
constexpr double padding = 3, spacing = 2, widestPadX = 10, optionPadY = 6;
// How far the options' side padding may shrink in a narrow column.
constexpr double narrowestPadX = 4;

QFont optionFont() {
    return KitPaint::font(points, QFont::Medium);
}

} // namespace

VelSeg::VelSeg(const Pal& pal, QStringList options, QString selected, QWidget* parent)
    : KitWidget(pal, parent), options_(std::move(options)), selected_(std::move(selected)) {
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    takeKeyboardFocus();
}

void VelSeg::setSelected(const QString& selected) {
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
}

double VelSeg::optionPadX(double width) const {
    const QFontMetricsF metrics(optionFont());
    double text = 0;
    for (const QString& option : options_)
        text += metrics.horizontalAdvance(option);
    const double chrome =
        2 * padding + spacing * double(std::max<qsizetype>(options_.size() - 1, 0));
    const double fitting =
        (width - chrome - text) / (2.0 * double(std::max<qsizetype>(options_.size(), 1)));
    return std::clamp(fitting, narrowestPadX, widestPadX);
}

QRectF VelSeg::optionRect(int index) const {
    return optionRect(index, optionPadX(width()));
}

QRectF VelSeg::optionRect(int index, double padX) const {
    const QFontMetricsF metrics(optionFont());
    const double height = metrics.height() + 2 * optionPadY;
    double x = padding;
    for (int i = 0; i < options_.size(); ++i) {
        const double width = metrics.horizontalAdvance(options_[i]) + 2 * padX;
        if (i == index)
            return QRectF(x, padding, width, height);
        x += width + spacing;
    }
    return {};
}

QSize VelSeg::sizeFor(double padX) const {
    if (options_.isEmpty())
        return QSize(int(2 * padding), int(2 * padding));
    const QRectF last = optionRect(int(options_.size()) - 1, padX);
    return QSize(int(std::ceil(last.right() + padding)), int(std::ceil(last.bottom() + padding)));
}

QSize VelSeg::sizeHint() const {
    return sizeFor(widestPadX);
}

QSize VelSeg::minimumSizeHint() const {
    return sizeFor(narrowestPadX);
}

void VelSeg::paintEvent(QPaintEvent*) {
    // Drawn again only when the selection (or the palette or size) changes.
    cache_.paint(*this, pal(), selected_, [this](QPainter& painter) { draw(painter); });
}

void VelSeg::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole =
        QRectF(QPointF(), QSizeF(sizeFor(optionPadX(width())))).adjusted(0.5, 0.5, -0.5, -0.5);
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

int VelSeg::optionAt(QPointF point) const {
    for (int i = 0; i < options_.size(); ++i)
        if (optionRect(i).contains(point))
            return i;
    return -1;
}

void VelSeg::mousePressEvent(QMouseEvent* event) {
    pressedOption_ = optionAt(event->position());
    KitWidget::mousePressEvent(event);
}

void VelSeg::clickedAt(QPointF point) {
    // Like any button: the option under the release counts only when the
    // press fell on it too.
    const int released = optionAt(point);
    if (released >= 0 && released == std::exchange(pressedOption_, -1))
        choose(released);
}

void VelSeg::choose(int index) {
    focused_ = index;
    update();
    Q_EMIT chosen(options_[index]);
}

void VelSeg::activate() {
    if (focused_ < options_.size())
        choose(focused_);
}

QPainterPath VelSeg::focusRing() const {
    if (focused_ >= options_.size())
        return KitWidget::focusRing();
    return KitPaint::roundedRect(optionRect(focused_).adjusted(-1, -1, 1, 1), 8);
}

void VelSeg::keyPressEvent(QKeyEvent* event) {
    int step = 0;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = layoutDirection() == Qt::RightToLeft && event->key() == Qt::Key_Left ? 1 : -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = layoutDirection() == Qt::RightToLeft && event->key() == Qt::Key_Right ? -1 : 1;
        break;
    default:
        KitWidget::keyPressEvent(event);
        return;
    }
    const int next = focused_ + step;
    if (next >= 0 && next < options_.size())
        choose(next);
}

void VelSeg::focusInEvent(QFocusEvent* event) {
    // The ring starts on the selected option.
    const qsizetype selected = options_.indexOf(selected_);
    focused_ = selected >= 0 ? int(selected) : 0;
    KitWidget::focusInEvent(event);
}

} // namespace vellaro
