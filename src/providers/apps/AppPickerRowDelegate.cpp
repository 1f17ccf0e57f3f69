#include "providers/apps/AppPickerRowDelegate.h"

#include "providers/apps/AppPickerListModel.h"

#include <QPainter>

namespace vellaro {

void AppPickerRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(AppPickerListModel::AlreadyPresentRole).toBool())
        return;
    painter->save();
    QFont caption = option.font;
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    painter->setFont(caption);
    const bool selected = option.state & QStyle::State_Selected;
    QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    ink.setAlphaF(0.6f);
    painter->setPen(ink);
    painter->drawText(option.rect.adjusted(0, 0, -8, 0), Qt::AlignRight | Qt::AlignVCenter,
                      QStringLiteral("Added"));
    painter->restore();
}

} // namespace vellaro
