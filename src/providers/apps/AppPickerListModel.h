#pragma once

#include "providers/apps/AppPickerModel.h"

#include <QAbstractListModel>
#include <QHash>
#include <QIcon>
#include <functional>

namespace vellaro {

// The picker's rows over an AppPickerModel's shown apps. Icons are loaded
// when a row is first drawn, so only visible rows cost anything.
class AppPickerListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role { BundleIdRole = Qt::UserRole + 1, AlreadyPresentRole };
    using IconLoader = std::function<QIcon(const InstalledApp&)>;

    AppPickerListModel(AppPickerModel& model, IconLoader icons, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    // Call around changes of the picker model's rows.
    void beginChange() { beginResetModel(); }
    void endChange() { endResetModel(); }

    const InstalledApp& app(int row) const;

private:
    AppPickerModel& model_;
    IconLoader icons_;
    mutable QHash<QString, QIcon> loaded_;
};

} // namespace vellaro
