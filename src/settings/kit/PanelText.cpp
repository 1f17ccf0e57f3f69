#include "settings/kit/PanelText.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vellaro {

PanelText::PanelText(const Pal& pal, QString text, QFont font, QColor Pal::*color, QWidget* parent)
    : KitWidget(pal, parent), text_(std::move(text)), font_(std::move(font)), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

PanelText* PanelText::heading(const Pal& pal, const QString& text, QWidget* parent) {
    QFont font = KitPaint::font(9.5, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.7);
    return new PanelText(pal, text, font, &Pal::muted, parent);
}

void PanelText::setText(const QString& text) {
    if (text == text_)
        return;
    text_ = text;
    updateGeometry();
    update();
}

void PanelText::setWrapping(bool wrapping) {
    wrapping_ = wrapping;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wrapping);
    setSizePolicy(policy);
    updateGeometry();
}

int PanelText::heightForWidth(int width) const {
    if (!wrapping_)
        return -1;
    const QFontMetricsF metrics(font_);
    const QRectF room(0, 0, std::max(width, 1), 1e6);
    return int(std::ceil(metrics.boundingRect(room, Qt::TextWordWrap, text_).height()));
}

QSize PanelText::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return QSizeF(metrics.horizontalAdvance(text_) + 1, metrics.height()).toSize();
}

QSize PanelText::minimumSizeHint() const {
    return QSize(0, sizeHint().height());
}

void PanelText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(pal().*color_);
    if (wrapping_) {
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text_);
        return;
    }
    const QString shown = QFontMetricsF(font_).elidedText(text_, Qt::ElideRight, width());
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace vellaro
