#pragma once

#include "model/AppsPaneSource.h"
#include "settings/model/ContextPanelServices.h"

#include <QDialog>
#include <functional>
#include <optional>

class QPushButton;
class QStackedWidget;
class QVBoxLayout;

namespace vellaro {

class SettingsStore;

// The sheet listing the apps whose clipboard changes are never recorded:
// add through the apps picker, remove row by row. Window-modal over the
// console; "Done", Return, Escape and the close button all close it.
class ClipboardExclusionsSheet : public QDialog {
    Q_OBJECT
public:
    using LookUp = std::function<std::optional<AppsPaneSource::AppLook>(const QString& bundleID)>;

    static constexpr int width = 520;
    static constexpr int height = 480;

    ClipboardExclusionsSheet(SettingsStore& store, LookUp lookUp,
                             decltype(ContextPanelServices::pickApps) pickApps,
                             const QPalette& colors, QWidget* parent);

    QPushButton& addButton() const { return *add_; }
    QPushButton& doneButton() const { return *done_; }
    // The empty view (index 0) or the list (index 1).
    QStackedWidget& pages() const { return *pages_; }
    // One removal button per listed identifier, in order.
    QList<QPushButton*> removeButtons() const;

private:
    void rebuildRows();
    void rebuildSoon();
    QWidget* makeRow(const QString& bundleID);
    QWidget* makeEmptyView();

    SettingsStore& store_;
    LookUp lookUp_;
    decltype(ContextPanelServices::pickApps) pickApps_;
    QPushButton* add_;
    QPushButton* done_;
    QStackedWidget* pages_;
    QWidget* rows_ = nullptr;
    QVBoxLayout* rowsColumn_ = nullptr;
    bool rebuildPending_ = false;
};

} // namespace vellaro
