#pragma once

#include "ui/KitWidget.h"

namespace vellaro {

class KitLabelColumn;
class UpdateControls;
class VelChipButton;
class VelRowView;
class VelToggleRow;

// The UPDATES group: the running version with the last check, "Check Now",
// and the two automatic switches, which mirror the updater's own flags and
// are read back each time the group is shown.
class UpdatesGroup : public KitWidget {
    Q_OBJECT
public:
    UpdatesGroup(const Pal& pal, UpdateControls& updates, QWidget* parent = nullptr);

    bool autoCheck() const { return autoCheck_; }
    bool autoInstall() const { return autoInstall_; }
    VelChipButton& checkNow() const { return *checkNow_; }
    VelToggleRow& checkRow() const { return *checkRow_; }
    VelToggleRow& installRow() const { return *installRow_; }

    void setAutoCheck(bool on);
    void setAutoInstall(bool on);
    // Reads the flags and the last check from the updater again.
    void reload();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showFlags();

    UpdateControls& updates_;
    bool autoCheck_ = true;
    bool autoInstall_ = false;
    QWidget* versionSlot_;
    VelRowView* versionRow_ = nullptr;
    VelChipButton* checkNow_;
    VelToggleRow* checkRow_;
    VelToggleRow* installRow_;
};

} // namespace vellaro
