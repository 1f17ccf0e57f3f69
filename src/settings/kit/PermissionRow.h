#pragma once

#include "ui/KitWidget.h"

#include <functional>

namespace vellaro {

class PanelText;
class StatusDot;
class VelChipButton;

// A permission and whether it is granted: a green or orange dot, the label,
// and "Granted" or an "Enable…" chip that runs `enable` (disabled without one).
class PermissionRow : public KitWidget {
    Q_OBJECT
public:
    PermissionRow(const Pal& pal, const QString& label, bool granted, std::function<void()> enable,
                  QWidget* parent = nullptr);

    bool isGranted() const { return granted_; }
    void setGranted(bool granted);
    const StatusDot& dot() const { return *dot_; }
    VelChipButton& enableChip() const { return *enable_; }

private:
    bool granted_ = false;
    StatusDot* dot_;
    PanelText* grantedText_;
    VelChipButton* enable_;
};

} // namespace vellaro
