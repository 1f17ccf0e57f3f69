#pragma once

#include "clipboard/ClipboardEntry.h"

#include <QAbstractListModel>
#include <vector>

namespace vellaro {

// The history window's rows: the filtered entries, newest first.
class ClipboardHistoryModel final : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    void setEntries(std::vector<ClipboardEntry> entries);
    const ClipboardEntry& entry(int row) const { return entries_.at(std::size_t(row)); }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<ClipboardEntry> entries_;
};

} // namespace vellaro
