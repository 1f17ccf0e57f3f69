#include "providers/apps/AppPickerListModel.h"

namespace vellaro {

AppPickerListModel::AppPickerListModel(AppPickerModel& model, IconLoader icons, QObject* parent)
    : QAbstractListModel(parent), model_(model), icons_(std::move(icons)) {}

int AppPickerListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(model_.shownRows().size());
}

const InstalledApp& AppPickerListModel::app(int row) const {
    return model_.apps()[model_.shownRows()[static_cast<std::size_t>(row)]];
}

QVariant AppPickerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const InstalledApp& shown = app(index.row());
    switch (role) {
    case Qt::DisplayRole:
        return shown.name;
    case Qt::DecorationRole: {
        auto found = loaded_.find(shown.bundleID);
        if (found == loaded_.end())
            found = loaded_.insert(shown.bundleID, icons_ ? icons_(shown) : QIcon());
        return *found;
    }
    case BundleIdRole:
        return shown.bundleID;
    case AlreadyPresentRole:
        return model_.isAlreadyPresent(shown.bundleID);
    default:
        return {};
    }
}

} // namespace vellaro
