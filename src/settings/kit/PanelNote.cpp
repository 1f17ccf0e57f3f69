#include "settings/kit/PanelNote.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>

namespace vellaro {

namespace {
constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
}

PanelNote::PanelNote(const Pal& pal, QString text, double points, QColor Pal::*color,
                     QWidget* parent)
    : KitWidget(pal, parent), text_(std::move(text)), font_(KitPaint::font(points)), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRectF PanelNote::textRect(int width) const {
    return QFontMetricsF(font_).boundingRect(QRectF(0, 0, std::max(width, 1), 1e6), flags, text_);
}

int PanelNote::heightForWidth(int width) const {
    return qCeil(textRect(width).height());
}

QSize PanelNote::sizeHint() const {
    // Asks for the column's width; the layout gives the height for it.
    return QSize(280, heightForWidth(280));
}

QSize PanelNote::minimumSizeHint() const {
    return QSize(0, qCeil(QFontMetricsF(font_).height()));
}

void PanelNote::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(pal().*color_);
    painter.drawText(rect(), flags, text_);
}

} // namespace vellaro
