#include "settings/console/ConsoleToastView.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

constexpr double padX = 12, padY = 7, spacing = 10;

QFont messageFont() {
    return KitPaint::font(11);
}
QFont undoFont() {
    return KitPaint::font(11, QFont::DemiBold);
}
QString undoText() {
    return QStringLiteral("Undo");
}

} // namespace

ConsoleToastView::ConsoleToastView(const Pal& pal, QWidget* parent) : KitWidget(pal, parent) {}

void ConsoleToastView::setToast(const QString& message, bool hasUndo) {
    message_ = message;
    hasUndo_ = hasUndo;
    resize(sizeHint());
    update();
}

QSize ConsoleToastView::sizeHint() const {
    const QFontMetricsF text(messageFont());
    double width = text.horizontalAdvance(message_);
    if (hasUndo_)
        width += spacing + QFontMetricsF(undoFont()).horizontalAdvance(undoText());
    return QSize(int(std::ceil(width + 2 * padX)) + 2 * margin,
                 int(std::ceil(text.height() + 2 * padY)) + 2 * margin);
}

QRectF ConsoleToastView::undoRect() const {
    if (!hasUndo_)
        return {};
    const double text = QFontMetricsF(undoFont()).horizontalAdvance(undoText());
    return QRectF(width() - margin - padX - text, margin, text + padX, height() - 2 * margin);
}

void ConsoleToastView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(rect()).adjusted(margin, margin, -margin, -margin);
    const QPainterPath shape = KitPaint::roundedRect(body, 9);
    KitPaint::shadow(painter, shape, QColor(0, 0, 0, 77), 8, {0, 2});
    KitPaint::fillAndStroke(painter, shape, pal().bgTop, pal().line);
    const QRectF text = body.adjusted(padX, 0, -padX, 0);
    painter.setFont(messageFont());
    painter.setPen(pal().ink);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, message_);
    if (hasUndo_) {
        painter.setFont(undoFont());
        painter.setPen(pal().accent);
        painter.drawText(text, Qt::AlignRight | Qt::AlignVCenter, undoText());
    }
}

} // namespace vellaro
