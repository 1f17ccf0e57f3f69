#pragma once

#include "model/Pal.h"

#include <QDateTime>
#include <QStyledItemDelegate>
#include <functional>

namespace vellaro {

class ClipboardHistoryModel;

// Paints one history row: the icon (the file's, rounded, else the entry's
// symbol), the title, "source · age", and while hovered "Paste" on the
// accent's soft fill.
class ClipboardHistoryRowDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int rowHeight = 38;
    static constexpr int rowSpacing = 3;

    ClipboardHistoryRowDelegate(const ClipboardHistoryModel& model, std::function<QDateTime()> now,
                                QObject* parent = nullptr);

    void setPal(const Pal& pal) { pal_ = pal; }
    // The view tracks the pointer; -1 for no row.
    void setHoveredRow(int row) { hoveredRow_ = row; }
    int hoveredRow() const { return hoveredRow_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const ClipboardHistoryModel& model_;
    std::function<QDateTime()> now_;
    Pal pal_;
    int hoveredRow_ = -1;
};

} // namespace vellaro
