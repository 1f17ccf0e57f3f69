#include "providers/apps/AddAppPickerView.h"

#include "platform/apps/DesktopEntry.h"
#include "providers/apps/AppIcons.h"
#include "providers/apps/AppPickerListModel.h"
#include "providers/apps/AppPickerRowDelegate.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPixmap>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace vellaro {

namespace {

constexpr int padding = 12;

QFrame* divider(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QWidget* loadingPage(QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* layout = new QVBoxLayout(page);
    layout->addStretch();
    auto* spinner = new QProgressBar(page);
    spinner->setRange(0, 0); // indeterminate
    spinner->setMaximumWidth(160);
    spinner->setTextVisible(false);
    layout->addWidget(spinner, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(QStringLiteral("Scanning applications…"), page), 0,
                      Qt::AlignHCenter);
    layout->addStretch();
    return page;
}

} // namespace

AddAppPickerView::IconLoader AddAppPickerView::desktopEntryIcon() {
    return [](const InstalledApp& app) {
        const std::optional<DesktopEntry> entry =
            DesktopEntry::read(app.path, app.bundleID, DesktopEntry::currentLocale());
        return QIcon(QPixmap::fromImage(AppIcons::shared().icon(entry ? entry->icon : QString())));
    };
}

AddAppPickerView::AddAppPickerView(QSet<QString> alreadyPresent, LoadApps loadApps,
                                   std::function<void(const std::vector<InstalledApp>&)> onAdd,
                                   std::function<void()> onCancel, IconLoader icons,
                                   QWidget* parent)
    : QWidget(parent), model_(std::move(alreadyPresent)), loadApps_(std::move(loadApps)),
      onAdd_(std::move(onAdd)), onCancel_(std::move(onCancel)) {
    setFixedSize(width, height);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    search_ = new QLineEdit(this);
    search_->setPlaceholderText(QStringLiteral("Search installed applications"));
    auto* searchBox = new QHBoxLayout;
    searchBox->setContentsMargins(padding, padding, padding, padding);
    searchBox->addWidget(search_);
    layout->addLayout(searchBox);
    layout->addWidget(divider(this));

    pages_ = new QStackedWidget(this);
    pages_->addWidget(loadingPage(pages_));
    list_ = new QListView(pages_);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setUniformItemSizes(true);
    list_->setIconSize(QSize(22, 22));
    list_->setSpacing(1);
    list_->setFrameShape(QFrame::NoFrame);
    rows_ = new AppPickerListModel(model_, std::move(icons), this);
    list_->setModel(rows_);
    list_->setItemDelegate(new AppPickerRowDelegate(list_));
    pages_->addWidget(list_);
    layout->addWidget(pages_, 1);
    layout->addWidget(divider(this));

    auto* footer = new QHBoxLayout;
    footer->setContentsMargins(padding, padding, padding, padding);
    // A nested layout takes the outer one's spacing, which is none here.
    footer->setSpacing(padding / 2);
    count_ = new QLabel(this);
    QFont caption = count_->font();
    caption.setPointSizeF(caption.pointSizeF() * 0.85);
    count_->setFont(caption);
    count_->setForegroundRole(QPalette::PlaceholderText);
    footer->addWidget(count_);
    footer->addStretch();
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    addButton_ = new QPushButton(this);
    addButton_->setDefault(true);
    footer->addWidget(cancel);
    footer->addWidget(addButton_);
    layout->addLayout(footer);

    connect(search_, &QLineEdit::textChanged, this, &AddAppPickerView::queryChanged);
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &AddAppPickerView::selectionChanged);
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (onCancel_)
            onCancel_();
    });
    connect(addButton_, &QPushButton::clicked, this, &AddAppPickerView::add);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, cancel, &QPushButton::click);
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto* confirm = new QShortcut(QKeySequence(key), this);
        confirm->setContext(Qt::WidgetWithChildrenShortcut);
        connect(confirm, &QShortcut::activated, this, &AddAppPickerView::add);
    }
    updateFooter();
}

AddAppPickerView::~AddAppPickerView() = default;

void AddAppPickerView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    search_->setFocus();
    if (asked_ || !loadApps_)
        return;
    asked_ = true;
    loadApps_([view = QPointer<AddAppPickerView>(this)](const std::vector<InstalledApp>& apps) {
        if (view)
            view->receive(apps);
    });
}

void AddAppPickerView::receive(const std::vector<InstalledApp>& apps) {
    rows_->beginChange();
    model_.setApps(apps);
    rows_->endChange();
    pages_->setCurrentWidget(list_);
    reselect();
    updateFooter();
}

void AddAppPickerView::queryChanged(const QString& query) {
    rows_->beginChange();
    model_.setQuery(query);
    rows_->endChange();
    reselect();
}

// The view's selection covers only the shown rows; rows filtered out keep
// their place in the model's selection.
void AddAppPickerView::selectionChanged() {
    if (reselecting_)
        return;
    QSet<QString> selection = model_.selection();
    for (int row = 0; row < rows_->rowCount(); ++row)
        selection.remove(rows_->app(row).bundleID);
    for (const QModelIndex& index : list_->selectionModel()->selectedIndexes())
        selection.insert(rows_->app(index.row()).bundleID);
    model_.setSelection(std::move(selection));
    updateFooter();
}

void AddAppPickerView::reselect() {
    reselecting_ = true;
    QItemSelection shown;
    for (int row = 0; row < rows_->rowCount(); ++row) {
        if (model_.selection().contains(rows_->app(row).bundleID))
            shown.select(rows_->index(row), rows_->index(row));
    }
    list_->selectionModel()->select(shown, QItemSelectionModel::ClearAndSelect);
    reselecting_ = false;
}

void AddAppPickerView::updateFooter() {
    count_->setText(model_.countText());
    addButton_->setText(model_.addButtonTitle());
    addButton_->setEnabled(model_.canAdd());
}

void AddAppPickerView::add() {
    if (!model_.canAdd() || !onAdd_)
        return;
    onAdd_(model_.appsToAdd());
}

} // namespace vellaro
