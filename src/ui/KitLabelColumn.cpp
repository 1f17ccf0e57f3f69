#include "ui/KitLabelColumn.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace vellaro {

namespace {

QFont labelFont() {
    return KitPaint::font(13);
}
QFont captionFont() {
    return KitPaint::font(10.5);
}
constexpr int captionLineLimit = 2;
// The least a row leaves its label before the label's column stops giving way.
constexpr int narrowest = 40;

} // namespace

KitLabelColumn::KitLabelColumn(const Pal& pal, QString label, std::optional<QString> caption,
                               QWidget* parent)
    : KitWidget(pal, parent), label_(std::move(label)), caption_(std::move(caption)) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(caption_.has_value());
    setSizePolicy(policy);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize KitLabelColumn::sizeHint() const {
    const QFontMetricsF label(labelFont());
    double width = label.horizontalAdvance(label_);
    if (caption_)
        width = std::max(width, QFontMetricsF(captionFont()).horizontalAdvance(*caption_));
    const int natural = int(std::ceil(width));
    return QSize(natural, caption_ ? heightForWidth(natural) : int(std::ceil(label.height())));
}

int KitLabelColumn::heightForWidth(int width) const {
    double height = QFontMetricsF(labelFont()).height();
    if (caption_) {
        const auto lines = double(captionLines(width).size());
        height += 1 + lines * QFontMetricsF(captionFont()).height();
    }
    return int(std::ceil(height));
}

QStringList KitLabelColumn::captionLines(double width) const {
    if (!caption_)
        return {};
    const QFontMetricsF metrics(captionFont());
    if (metrics.horizontalAdvance(*caption_) <= width)
        return {*caption_};
    QTextLayout layout(*caption_, captionFont());
    layout.beginLayout();
    QStringList lines;
    qsizetype consumed = 0;
    while (lines.size() < captionLineLimit - 1) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        lines.append(caption_->mid(line.textStart(), line.textLength()).trimmed());
        consumed = line.textStart() + line.textLength();
    }
    layout.endLayout();
    const QString rest = caption_->mid(consumed).trimmed();
    if (!rest.isEmpty())
        lines.append(metrics.elidedText(rest, Qt::ElideRight, width));
    return lines;
}

QSize KitLabelColumn::minimumSizeHint() const {
    const QSize natural = sizeHint();
    return QSize(std::min(natural.width(), narrowest), natural.height());
}

void KitLabelColumn::resizeEvent(QResizeEvent* event) {
    KitWidget::resizeEvent(event);
    // Not every layout above asks for the height at a width: a caption that
    // wraps here claims its second line as the least height.
    if (caption_) {
        const int needed = heightForWidth(width());
        if (minimumHeight() != needed)
            setMinimumHeight(needed);
    }
}

void KitLabelColumn::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QFontMetricsF label(labelFont());
    double top = (height() - heightForWidth(width())) / 2.0;
    painter.setFont(labelFont());
    painter.setPen(pal().ink);
    painter.drawText(QRectF(0, top, width(), label.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     label.elidedText(label_, Qt::ElideRight, width()));
    if (!caption_)
        return;
    top += label.height() + 1;
    painter.setFont(captionFont());
    painter.setPen(pal().muted);
    const double lineHeight = QFontMetricsF(captionFont()).height();
    for (const QString& line : captionLines(width())) {
        painter.drawText(QRectF(0, top, width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         line);
        top += lineHeight;
    }
}

} // namespace vellaro
