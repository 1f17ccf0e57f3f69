#pragma once

#include "model/AppsPaneSource.h"
#include "model/ScopedDataSourceObserver.h"
#include "ui/KitWidget.h"

#include <QPointer>
#include <functional>

#include <QMenu>

class QVBoxLayout;

namespace vellaro {

class AllAppsButton;
class AppSearchBox;
class MenuDataSource;
class RebuiltColumn;
struct SectionPanelState;

// The apps section's PINNED and ADD APPS groups: the pins in dial order with
// their chevrons and "✕", a search over the installed apps and the "All
// Apps" menu; pins and unpins are toasted with an undo. While shown it
// follows the data source and loads the installed apps.
class AppsPane : public KitWidget {
    Q_OBJECT
public:
    using Toast = std::function<void(const QString& message, std::function<void()> undo)>;

    AppsPane(const Pal& pal, AppsPaneSource* source, MenuDataSource* dataSource,
             SectionPanelState& state, Toast toast, QWidget* parent = nullptr);
    ~AppsPane() override;

    // Pins the app unless it is pinned already.
    void pin(const InstalledApp& app);
    void unpin(const QString& bundleID, const QString& name);
    void move(const QString& bundleID, int step);

    RebuiltColumn& pinnedRows() const { return *pinned_; }
    RebuiltColumn& results() const { return *results_; }
    AppSearchBox* searchBox() const { return search_; }
    AllAppsButton* allAppsButton() const { return allApps_; }
    // The menu while it is open.
    QMenu* allAppsMenu() const { return menu_; }
    void showAllAppsMenu();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void buildPinned(QWidget& body, QVBoxLayout& column);
    void buildResults(QWidget& body, QVBoxLayout& column);
    void pinsChanged();
    QImage iconOf(const InstalledApp& app);

    AppsPaneSource* source_;
    MenuDataSource* dataSource_;
    SectionPanelState& state_;
    Toast toast_;
    std::vector<AppsPaneSource::PinnedEntry> entries_;
    RebuiltColumn* pinned_;
    RebuiltColumn* results_ = nullptr;
    AppSearchBox* search_ = nullptr;
    AllAppsButton* allApps_ = nullptr;
    QPointer<QMenu> menu_;
    ScopedDataSourceObserver observer_;
};

} // namespace vellaro
