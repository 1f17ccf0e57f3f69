#pragma once

#include "model/InstalledApp.h"

#include <QSet>
#include <QString>
#include <vector>

namespace vellaro {

// What the application picker shows and would add: the installed apps, the
// search text, the selection (by ID, kept while rows are filtered out) and
// the apps to mark as already present. Knows nothing of pinning.
class AppPickerModel {
public:
    explicit AppPickerModel(QSet<QString> alreadyPresent = {});

    bool isLoading() const { return loading_; }
    // The apps in the order given; ends the loading state.
    void setApps(std::vector<InstalledApp> apps);
    const std::vector<InstalledApp>& apps() const { return apps_; }

    const QString& query() const { return query_; }
    void setQuery(const QString& query);

    const QSet<QString>& selection() const { return selection_; }
    void setSelection(QSet<QString> selection) { selection_ = std::move(selection); }

    bool isAlreadyPresent(const QString& bundleID) const {
        return alreadyPresent_.contains(bundleID);
    }

    // Indices into apps() of the rows shown: every app for an empty query,
    // else those whose name contains the query as typed, ignoring case.
    const std::vector<std::size_t>& shownRows() const { return shown_; }

    // The selected apps not present already, in list order, shown or not.
    std::vector<InstalledApp> appsToAdd() const;
    int count() const { return static_cast<int>(appsToAdd().size()); }
    QString countText() const;
    QString addButtonTitle() const;
    bool canAdd() const { return count() > 0; }

private:
    void filter();

    QSet<QString> alreadyPresent_;
    std::vector<InstalledApp> apps_;
    std::vector<std::size_t> shown_;
    QString query_;
    QSet<QString> selection_;
    bool loading_ = true;
};

} // namespace vellaro
