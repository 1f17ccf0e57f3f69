#include "ui/KitLabelColumn.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

namespace {

QFont labelFont() {
    return KitPaint::font(13);
}
QFont captionFont() {
    return KitPaint::font(10.5);
}
// The least a row leaves its label before the label's column stops giving way.
constexpr int narrowest = 40;

} // namespace

KitLabelColumn::KitLabelColumn(const Pal& pal, QString label, std::optional<QString> caption,
                               QWidget* parent)
    : KitWidget(pal, parent), label_(std::move(label)), caption_(std::move(caption)) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize KitLabelColumn::sizeHint() const {
    const QFontMetricsF label(labelFont());
    double width = label.horizontalAdvance(label_);
    double height = label.height();
    if (caption_) {
        const QFontMetricsF caption(captionFont());
        width = std::max(width, caption.horizontalAdvance(*caption_));
        height += 1 + caption.height();
    }
    return QSize(int(std::ceil(width)), int(std::ceil(height)));
}

QSize KitLabelColumn::minimumSizeHint() const {
    const QSize natural = sizeHint();
    return QSize(std::min(natural.width(), narrowest), natural.height());
}

void KitLabelColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetricsF label(labelFont());
    double top = (height() - sizeHint().height()) / 2.0;
    painter.setFont(labelFont());
    painter.setPen(pal().ink);
    painter.drawText(QRectF(0, top, width(), label.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     label.elidedText(label_, Qt::ElideRight, width()));
    if (!caption_)
        return;
    top += label.height() + 1;
    painter.setFont(captionFont());
    painter.setPen(pal().muted);
    const QFontMetricsF caption(captionFont());
    painter.drawText(QRectF(0, top, width(), caption.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     caption.elidedText(*caption_, Qt::ElideRight, width()));
}

} // namespace vellaro
