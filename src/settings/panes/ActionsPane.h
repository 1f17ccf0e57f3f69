#pragma once

#include "ui/KitWidget.h"

#include <functional>

namespace vellaro {

class ActionsPaneSource;
class PermissionRow;
class SettingsStore;
class VelChipButton;

// The actions section's groups: STATUS (the window-access grant and what
// needs it) and, while some action is hidden, HIDDEN with a chip per action
// that brings it back. Without an actions provider HIDDEN is absent.
class ActionsPane : public KitWidget {
    Q_OBJECT
public:
    ActionsPane(const Pal& pal, SettingsStore& store, ActionsPaneSource* source, bool axTrusted,
                std::function<void()> showExplainer, QWidget* parent = nullptr);

    PermissionRow& permissionRow() const { return *permission_; }
    // One chip per hidden action, in the section's order.
    const QList<VelChipButton*>& hiddenChips() const { return hiddenChips_; }

private:
    PermissionRow* permission_;
    QList<VelChipButton*> hiddenChips_;
};

} // namespace vellaro
