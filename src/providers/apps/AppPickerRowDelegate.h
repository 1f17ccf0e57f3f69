#pragma once

#include <QStyledItemDelegate>

namespace vellaro {

// Draws a picker row as usual and, for an app already present, "Added" in a
// small secondary text at its right end.
class AppPickerRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace vellaro
