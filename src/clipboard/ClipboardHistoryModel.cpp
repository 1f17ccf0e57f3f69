#include "clipboard/ClipboardHistoryModel.h"

namespace vellaro {

void ClipboardHistoryModel::setEntries(std::vector<ClipboardEntry> entries) {
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

int ClipboardHistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(entries_.size());
}

QVariant ClipboardHistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    // Assistive tools read the title; the delegate paints the rest.
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return entry(index.row()).title;
    return {};
}

} // namespace vellaro
