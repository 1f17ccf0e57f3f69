#include "settings/panes/AppsPane.h"

#include "core/SpaceTrimming.h"
#include "settings/kit/NameField.h"
#include "settings/kit/PanelNote.h"
#include "settings/kit/PanelText.h"
#include "settings/panes/AllAppsButton.h"
#include "settings/panes/AppMatchButton.h"
#include "settings/panes/AppSearchBox.h"
#include "settings/panes/AppsPaneFilter.h"
#include "settings/panes/PinnedAppRow.h"
#include "settings/panes/RebuiltColumn.h"
#include "settings/panes/SectionPanelState.h"
#include "ui/KitPaint.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QProgressBar>
#include <QVBoxLayout>

namespace vellaro {

namespace {
constexpr int groupSpacing = 9;
}

AppsPane::AppsPane(const Pal& pal, AppsPaneSource* source, MenuDataSource* dataSource,
                   SectionPanelState& state, Toast toast, QWidget* parent)
    : KitWidget(pal, parent), source_(source), dataSource_(dataSource), state_(state),
      toast_(std::move(toast)), pinned_(new RebuiltColumn(pal, groupSpacing, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(groupSpacing);
    column->addWidget(PanelText::heading(pal, QStringLiteral("PINNED"), this));
    column->addWidget(pinned_);
    pinned_->setBuilder([this](QWidget& body, QVBoxLayout& rows) { buildPinned(body, rows); });
    if (source_)
        entries_ = source_->pinnedEntries();
    pinned_->rebuildNow();
    if (!source_)
        return;

    column->addSpacing(16 - groupSpacing);
    column->addWidget(PanelText::heading(pal, QStringLiteral("ADD APPS"), this));
    search_ = new AppSearchBox(pal, state_.appQuery, this);
    allApps_ = new AllAppsButton(pal, this);
    allApps_->setActive(!state_.appsLoading);
    auto* searchRow = new QHBoxLayout;
    searchRow->setSpacing(8);
    searchRow->addWidget(search_, 1);
    searchRow->addWidget(allApps_);
    column->addLayout(searchRow);
    results_ = new RebuiltColumn(pal, 6, this);
    results_->setBuilder([this](QWidget& body, QVBoxLayout& rows) { buildResults(body, rows); });
    results_->rebuildNow();
    column->addWidget(results_);

    connect(&search_->field(), &QLineEdit::textChanged, this, [this](const QString& text) {
        state_.appQuery = text;
        // The field stays; only the results under it are built again.
        results_->rebuildNow();
    });
    connect(allApps_, &AllAppsButton::clicked, this, &AppsPane::showAllAppsMenu);
}

AppsPane::~AppsPane() = default;

void AppsPane::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    if (!source_ || observer_.isActive())
        return;
    if (dataSource_)
        observer_ = ScopedDataSourceObserver(*dataSource_, [this] { pinsChanged(); });
    pinsChanged();
    source_->installedApps(this, [this](const std::vector<InstalledApp>& apps) {
        state_.installedApps = apps;
        state_.appsLoading = false;
        allApps_->setActive(true);
        results_->rebuildSoon();
    });
}

void AppsPane::hideEvent(QHideEvent* event) {
    observer_.reset();
    KitWidget::hideEvent(event);
}

void AppsPane::pinsChanged() {
    entries_ = source_->pinnedEntries();
    pinned_->rebuildSoon();
    // Pinned apps leave the matches.
    results_->rebuildSoon();
}

void AppsPane::buildPinned(QWidget& body, QVBoxLayout& column) {
    // A provider without pins (sample sections) lists none.
    if (!source_)
        return;
    if (entries_.empty())
        column.addWidget(new PanelNote(
            pal(), QStringLiteral("Nothing pinned yet — search below and click an app to add it."),
            11.5, &Pal::muted, &body));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const AppsPaneSource::PinnedEntry& entry = entries_[i];
        auto* row = new PinnedAppRow(pal(), entry, i, entries_.size(), &body);
        column.addWidget(row);
        connect(row, &PinnedAppRow::moveRequested, this,
                [this, id = entry.bundleID](int step) { move(id, step); });
        connect(row, &PinnedAppRow::unpinRequested, this,
                [this, id = entry.bundleID, name = entry.name] { unpin(id, name); });
    }
    const QString note = AppsPaneFilter::dialLimitNote(entries_.size());
    if (!note.isEmpty())
        column.addWidget(new PanelNote(pal(), note, 10.5, &Pal::muted, &body));
}

void AppsPane::buildResults(QWidget& body, QVBoxLayout& column) {
    const QString& query = state_.appQuery;
    if (trimSpacesAndTabs(query).isEmpty()) {
        column.addWidget(new PanelNote(
            pal(), QStringLiteral("Type to search or browse all — one click pins it to the dial."),
            10.5, &Pal::muted, &body));
        return;
    }
    if (state_.appsLoading) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        auto* spinner = new QProgressBar(&body);
        spinner->setRange(0, 0);
        spinner->setTextVisible(false);
        spinner->setFixedSize(16, 6);
        row->addWidget(spinner);
        row->addWidget(new PanelText(pal(), QStringLiteral("Scanning applications…"),
                                     KitPaint::font(11), &Pal::muted, &body),
                       1);
        column.addLayout(row);
        return;
    }
    QSet<QString> pinned;
    for (const AppsPaneSource::PinnedEntry& entry : entries_)
        pinned.insert(entry.bundleID);
    const std::vector<InstalledApp> found =
        AppsPaneFilter::matches(AppsPaneFilter::availableApps(state_.installedApps, pinned), query);
    if (found.empty()) {
        column.addWidget(new PanelText(pal(), AppsPaneFilter::noMatchesText(query),
                                       KitPaint::font(11), &Pal::muted, &body));
        return;
    }
    for (const InstalledApp& app : found) {
        auto* button = new AppMatchButton(pal(), app.name, iconOf(app), &body);
        column.addWidget(button);
        connect(button, &AppMatchButton::clicked, this, [this, app] { pin(app); });
    }
}

QImage AppsPane::iconOf(const InstalledApp& app) {
    const auto cached = state_.appIcons.constFind(app.bundleID);
    if (cached != state_.appIcons.constEnd())
        return *cached;
    const QImage icon = source_->icon(app);
    state_.appIcons.insert(app.bundleID, icon);
    return icon;
}

void AppsPane::showAllAppsMenu() {
    if (!source_ || state_.appsLoading)
        return;
    auto* menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QSet<QString> pinned;
    for (const AppsPaneSource::PinnedEntry& entry : entries_)
        pinned.insert(entry.bundleID);
    for (const InstalledApp& app : AppsPaneFilter::availableApps(state_.installedApps, pinned)) {
        const QImage icon = iconOf(app);
        QAction* item = menu->addAction(
            icon.isNull() ? QIcon()
                          : QIcon(QPixmap::fromImage(icon.scaled(32, 32, Qt::KeepAspectRatio,
                                                                 Qt::SmoothTransformation))),
            app.name);
        connect(item, &QAction::triggered, this, [this, app] { pin(app); });
    }
    menu_ = menu;
    // Never exec(): a nested loop would run the console's events under the menu.
    menu->popup(allApps_->mapToGlobal(QPoint(0, allApps_->height())));
}

void AppsPane::pin(const InstalledApp& app) {
    // Pinning what is pinned changes nothing, so it is not announced, and no
    // undo may take the earlier pin away.
    if (source_->pinnedBundleIDs().contains(app.bundleID))
        return;
    source_->add({app});
    entries_ = source_->pinnedEntries();
    pinned_->rebuildSoon();
    results_->rebuildSoon();
    AppsPaneSource* source = source_;
    toast_(AppsPaneFilter::pinToast(app.name, entries_.size()),
           [source, id = app.bundleID] { source->remove(id); });
}

void AppsPane::unpin(const QString& bundleID, const QString& name) {
    const std::vector<AppsPaneSource::PinnedEntry> current = source_->pinnedEntries();
    const auto found =
        std::find_if(current.begin(), current.end(),
                     [&](const AppsPaneSource::PinnedEntry& e) { return e.bundleID == bundleID; });
    if (found == current.end())
        return;
    std::function<void()> undo = source_->removeEntry(found - current.begin());
    if (!undo)
        return;
    entries_ = source_->pinnedEntries();
    pinned_->rebuildSoon();
    results_->rebuildSoon();
    toast_(name + QStringLiteral(" unpinned"), std::move(undo));
}

void AppsPane::move(const QString& bundleID, int step) {
    source_->move(bundleID, step);
    entries_ = source_->pinnedEntries();
    pinned_->rebuildSoon();
}

} // namespace vellaro
