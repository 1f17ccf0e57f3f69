#pragma once

#include "ui/KitMotion.h"
#include "ui/KitWidget.h"

#include <optional>

namespace vellaro {

class KitLabelColumn;
class KitSwitch;

// The kit's switch row: label and optional caption, then the switch. The
// caller owns the value: a click reports the negated value through
// toggled(), and the caller sets it back with setOn().
class VelToggleRow : public KitWidget {
    Q_OBJECT
public:
    VelToggleRow(const Pal& pal, const QString& label, std::optional<QString> caption, bool on,
                 std::optional<KitMotion::Services> motion = std::nullopt,
                 QWidget* parent = nullptr);

    void setOn(bool on);
    bool isOn() const;
    KitSwitch& switchControl() const { return *switch_; }

Q_SIGNALS:
    void toggled(bool on);

private:
    KitLabelColumn* label_;
    KitSwitch* switch_;
};

} // namespace vellaro
