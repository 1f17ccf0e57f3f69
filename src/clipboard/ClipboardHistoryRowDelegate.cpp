#include "clipboard/ClipboardHistoryRowDelegate.h"

#include "clipboard/ClipboardHistoryModel.h"
#include "model/SymbolCatalog.h"
#include "ui/KitPaint.h"

#include <QPainter>
#include <QPainterPath>

namespace vellaro {
namespace {

constexpr int iconSize = 26;
constexpr int horizontalPadding = 9;
constexpr int spacing = 10;

} // namespace

ClipboardHistoryRowDelegate::ClipboardHistoryRowDelegate(const ClipboardHistoryModel& model,
                                                         std::function<QDateTime()> now,
                                                         QObject* parent)
    : QStyledItemDelegate(parent), model_(model), now_(std::move(now)) {}

QSize ClipboardHistoryRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
    // The gap between rows belongs to each row's bottom.
    return {option.rect.width(), rowHeight + rowSpacing};
}

void ClipboardHistoryRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    const ClipboardEntry& entry = model_.entry(index.row());
    const bool hovered = index.row() == hoveredRow_;
    const QRectF row = QRectF(option.rect).adjusted(0, 0, 0, -rowSpacing);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (hovered) {
        painter->fillPath(KitPaint::roundedRect(row, 8), pal_.accentSoft);
    }

    const QRectF icon(row.left() + horizontalPadding, row.center().y() - iconSize / 2.0, iconSize,
                      iconSize);
    if (!entry.fileIcon.isNull()) {
        painter->setClipPath(KitPaint::roundedRect(icon, 4));
        const QSizeF fitted =
            QSizeF(entry.fileIcon.size()).scaled(icon.size(), Qt::KeepAspectRatio);
        QRectF target(QPointF(), fitted);
        target.moveCenter(icon.center());
        painter->setRenderHint(QPainter::SmoothPixmapTransform);
        painter->drawImage(target, entry.fileIcon);
        painter->setClipping(false);
    } else {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QImage symbol = SymbolCatalog::image(entry.symbolName, qRound(13 * ratio), pal_.muted);
        if (!symbol.isNull()) {
            symbol.setDevicePixelRatio(ratio);
            QRectF target(QPointF(), QSizeF(symbol.size()) / ratio);
            target.moveCenter(icon.center());
            painter->drawImage(target, symbol);
        }
    }

    double right = row.right() - horizontalPadding;
    if (hovered) {
        const QFont pasteFont = KitPaint::font(10, QFont::Medium);
        const QString paste = tr("Paste");
        const double width = QFontMetricsF(pasteFont).horizontalAdvance(paste);
        painter->setFont(pasteFont);
        painter->setPen(pal_.accent);
        painter->drawText(QRectF(right - width, row.top(), width, row.height()),
                          Qt::AlignVCenter | Qt::AlignRight, paste);
        right -= width + spacing;
    }

    const double textLeft = icon.right() + spacing;
    const double textWidth = std::max(0.0, right - textLeft);
    const QFont titleFont = KitPaint::font(12);
    const QFont detailFont = KitPaint::font(10);
    const QFontMetricsF titleMetrics(titleFont);
    const QFontMetricsF detailMetrics(detailFont);
    const double top = row.center().y() - (titleMetrics.height() + detailMetrics.height()) / 2;

    painter->setFont(titleFont);
    painter->setPen(pal_.ink);
    QString title = entry.title;
    title.replace(QLatin1Char('\n'), QLatin1Char(' '));
    painter->drawText(QRectF(textLeft, top, textWidth, titleMetrics.height()),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      titleMetrics.elidedText(title, Qt::ElideRight, textWidth));

    const QString source = entry.sourceApp.value_or(tr("Unknown"));
    const QString detail = source + QStringLiteral(" \u00B7 ") + entry.relativeTime(now_());
    painter->setFont(detailFont);
    painter->setPen(pal_.muted);
    painter->drawText(
        QRectF(textLeft, top + titleMetrics.height(), textWidth, detailMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter,
        detailMetrics.elidedText(detail, Qt::ElideRight, textWidth));
    painter->restore();
}

} // namespace vellaro
