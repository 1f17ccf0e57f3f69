#include "providers/apps/AppPickerModel.h"

namespace vellaro {

AppPickerModel::AppPickerModel(QSet<QString> alreadyPresent)
    : alreadyPresent_(std::move(alreadyPresent)) {}

void AppPickerModel::setApps(std::vector<InstalledApp> apps) {
    apps_ = std::move(apps);
    loading_ = false;
    filter();
}

void AppPickerModel::setQuery(const QString& query) {
    query_ = query;
    filter();
}

void AppPickerModel::filter() {
    shown_.clear();
    shown_.reserve(apps_.size());
    for (std::size_t i = 0; i < apps_.size(); ++i) {
        if (query_.isEmpty() || apps_[i].name.contains(query_, Qt::CaseInsensitive))
            shown_.push_back(i);
    }
}

std::vector<InstalledApp> AppPickerModel::appsToAdd() const {
    std::vector<InstalledApp> adding;
    for (const InstalledApp& app : apps_) {
        if (selection_.contains(app.bundleID) && !alreadyPresent_.contains(app.bundleID))
            adding.push_back(app);
    }
    return adding;
}

QString AppPickerModel::countText() const {
    return QString::number(count()) + QStringLiteral(" selected");
}

QString AppPickerModel::addButtonTitle() const {
    const int n = count();
    return n < 2 ? QStringLiteral("Add App") : QStringLiteral("Add %1 Apps").arg(n);
}

} // namespace vellaro
