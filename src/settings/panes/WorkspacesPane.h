#pragma once

#include "model/ScopedDataSourceObserver.h"
#include "model/WorkspacesPaneSource.h"
#include "ui/KitWidget.h"

#include <QHash>
#include <QUuid>

#include <optional>

class QVBoxLayout;

namespace vellaro {

class MenuDataSource;
class RebuiltColumn;

// The saved workspaces, each with its name field, window count, "Restore"
// and "✕"; or the hint to capture one from the dial. While shown it follows
// the data source, so edits made on the dial show too, though never while
// a name is being typed. A typed name is stored when the field is submitted
// or left, or when the pane goes while it is typed.
class WorkspacesPane : public KitWidget {
    Q_OBJECT
public:
    // `names` holds the typed names and outlives the pane.
    WorkspacesPane(const Pal& pal, WorkspacesPaneSource* source, MenuDataSource* dataSource,
                   QHash<QUuid, QString>& names, QWidget* parent = nullptr);
    ~WorkspacesPane() override;

    // "5w".
    static QString windowCountText(std::int64_t count);
    RebuiltColumn& rows() const { return *rows_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void build(QWidget& body, QVBoxLayout& column);
    QWidget* makeRow(const WorkspacesPaneSource::Summary& workspace, QWidget& parent);
    void commitName(const QUuid& id);
    // The workspace whose name field has the keyboard focus.
    std::optional<QUuid> editedId() const;
    // A change of the workspaces while a name is typed waits for the typing to end.
    void rebuildUnlessEditing();

    WorkspacesPaneSource* source_;
    MenuDataSource* dataSource_;
    QHash<QUuid, QString>& names_;
    RebuiltColumn* rows_;
    ScopedDataSourceObserver observer_;
    bool rebuildAfterEditing_ = false;
};

} // namespace vellaro
