#include "settings/panes/WorkspacesPane.h"

#include "settings/kit/NameField.h"
#include "settings/kit/PanelNote.h"
#include "settings/kit/PanelText.h"
#include "settings/panes/RebuiltColumn.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLocale>
#include <QVBoxLayout>

#include <utility>

namespace vellaro {

namespace {

// The workspace a name field belongs to.
constexpr const char* workspaceIdProperty = "workspaceId";

} // namespace

WorkspacesPane::WorkspacesPane(const Pal& pal, WorkspacesPaneSource* source,
                               MenuDataSource* dataSource, QHash<QUuid, QString>& names,
                               QWidget* parent)
    : KitWidget(pal, parent), source_(source), dataSource_(dataSource), names_(names),
      rows_(new RebuiltColumn(pal, 9, this)) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(rows_);
    rows_->setBuilder([this](QWidget& body, QVBoxLayout& rows) { build(body, rows); });
    rows_->rebuildNow();
}

QString WorkspacesPane::windowCountText(std::int64_t count) {
    return QLocale().toString(static_cast<qlonglong>(count)) + QLatin1Char('w');
}

void WorkspacesPane::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    if (source_ && dataSource_ && !observer_.isActive()) {
        observer_ = ScopedDataSourceObserver(*dataSource_, [this] { rebuildUnlessEditing(); });
        rebuildUnlessEditing();
    }
}

WorkspacesPane::~WorkspacesPane() {
    // A field still being edited never sees its focus go: store its name now.
    if (const std::optional<QUuid> id = editedId())
        commitName(*id);
}

std::optional<QUuid> WorkspacesPane::editedId() const {
    const QWidget* focus = QApplication::focusWidget();
    if (!focus || !rows_->isAncestorOf(focus))
        return std::nullopt;
    const QVariant id = focus->property(workspaceIdProperty);
    return id.isValid() ? std::optional<QUuid>(id.toUuid()) : std::nullopt;
}

void WorkspacesPane::rebuildUnlessEditing() {
    // Rebuilding would take the field, and the rest of the name, from the user.
    if (editedId()) {
        rebuildAfterEditing_ = true;
        return;
    }
    rows_->rebuildSoon();
}

void WorkspacesPane::hideEvent(QHideEvent* event) {
    observer_.reset();
    KitWidget::hideEvent(event);
}

void WorkspacesPane::build(QWidget& body, QVBoxLayout& column) {
    // A provider without workspaces (sample sections) lists none.
    if (!source_)
        return;
    const std::vector<WorkspacesPaneSource::Summary> workspaces = source_->workspaceSummaries();
    if (workspaces.empty())
        column.addWidget(new PanelNote(
            pal(),
            QStringLiteral("Capture your first setup from the wheel — Workspaces → Capture Setup."),
            11.5, &Pal::muted, &body));
    for (const WorkspacesPaneSource::Summary& workspace : workspaces)
        column.addWidget(makeRow(workspace, body));
}

QWidget* WorkspacesPane::makeRow(const WorkspacesPaneSource::Summary& workspace, QWidget& parent) {
    auto* row = new KitWidget(pal(), &parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    const QUuid id = workspace.id;
    auto* name = new NameField(pal(), QStringLiteral("Name"), 12.5, row);
    name->setText(names_.value(id, workspace.name));
    name->setProperty(workspaceIdProperty, id);
    // A long name shows from its start.
    name->setCursorPosition(0);
    auto* restore = new VelChipButton(pal(), {.label = QStringLiteral("Restore")}, row);
    auto* remove = new VelChipButton(pal(), {.danger = true, .label = QStringLiteral("✕")}, row);
    line->addWidget(name, 1);
    line->addWidget(new PanelText(pal(), windowCountText(workspace.windowCount), KitPaint::font(10),
                                  &Pal::muted, row));
    line->addWidget(restore);
    line->addWidget(remove);

    connect(name, &QLineEdit::textEdited, row,
            [this, id](const QString& text) { names_[id] = text; });
    // Return and leaving the field both store the name.
    connect(name, &QLineEdit::editingFinished, row, [this, id] {
        commitName(id);
        if (std::exchange(rebuildAfterEditing_, false))
            rows_->rebuildSoon();
    });
    connect(restore, &VelChipButton::clicked, row, [this, id] { source_->restore(id); });
    connect(remove, &VelChipButton::clicked, row, [this, id] {
        source_->deleteWorkspace(id);
        rows_->rebuildSoon();
    });
    return row;
}

void WorkspacesPane::commitName(const QUuid& id) {
    const auto typed = names_.constFind(id);
    if (typed != names_.constEnd())
        source_->rename(id, *typed);
}

} // namespace vellaro
