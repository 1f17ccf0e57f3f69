#pragma once

#include "model/InstalledApp.h"
#include "providers/apps/AppPickerModel.h"

#include <QIcon>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;

namespace vellaro {

class AppPickerListModel;

// Searches the installed applications and picks any number of them. Knows
// nothing of what the picked apps are for: it is given the IDs to mark as
// present, where the list comes from, and what add and cancel do.
class AddAppPickerView final : public QWidget {
    Q_OBJECT
public:
    using Receiver = std::function<void(const std::vector<InstalledApp>&)>;
    // Asked once, when the view is first shown; answers through the receiver.
    using LoadApps = std::function<void(Receiver)>;
    using IconLoader = std::function<QIcon(const InstalledApp&)>;

    static constexpr int width = 440;
    static constexpr int height = 500;

    AddAppPickerView(QSet<QString> alreadyPresent, LoadApps loadApps,
                     std::function<void(const std::vector<InstalledApp>&)> onAdd,
                     std::function<void()> onCancel, IconLoader icons = desktopEntryIcon(),
                     QWidget* parent = nullptr);
    ~AddAppPickerView() override;

    // The icon named by the app's desktop file.
    static IconLoader desktopEntryIcon();

    const AppPickerModel& model() const { return model_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void receive(const std::vector<InstalledApp>& apps);
    void queryChanged(const QString& query);
    void selectionChanged();
    void reselect();
    void updateFooter();
    void add();

    AppPickerModel model_;
    LoadApps loadApps_;
    std::function<void(const std::vector<InstalledApp>&)> onAdd_;
    std::function<void()> onCancel_;
    bool asked_ = false;
    bool reselecting_ = false;

    QLineEdit* search_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QListView* list_ = nullptr;
    AppPickerListModel* rows_ = nullptr;
    QLabel* count_ = nullptr;
    QPushButton* addButton_ = nullptr;
};

} // namespace vellaro
