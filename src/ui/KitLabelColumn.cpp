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

void KitLabelColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetricsF label(labelFont());
    double top = (height() - sizeHint().height()) / 2.0;
    painter.setFont(labelFont());
    painter.setPen(pal().ink);
    painter.drawText(QRectF(0, top, width(), label.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     label_);
    if (!caption_)
        return;
    top += label.height() + 1;
    painter.setFont(captionFont());
    painter.setPen(pal().muted);
    painter.drawText(QRectF(0, top, width(), QFontMetricsF(captionFont()).height()),
                     Qt::AlignLeft | Qt::AlignVCenter, *caption_);
}

} // namespace vellaro
