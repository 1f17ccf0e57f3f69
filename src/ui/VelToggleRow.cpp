#include "ui/VelToggleRow.h"

#include "ui/KitLabelColumn.h"
#include "ui/KitSwitch.h"

#include <QHBoxLayout>

namespace vellaro {

VelToggleRow::VelToggleRow(const Pal& pal, const QString& label, std::optional<QString> caption,
                           bool on, std::optional<KitMotion::Services> motion, QWidget* parent)
    : KitWidget(pal, parent), label_(new KitLabelColumn(pal, label, std::move(caption), this)),
      switch_(new KitSwitch(pal, on, motion, this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(label_, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(switch_, 0, Qt::AlignVCenter);
    connect(switch_, &KitSwitch::toggled, this, &VelToggleRow::toggled);
}

void VelToggleRow::setOn(bool on) {
    switch_->setOn(on);
}

bool VelToggleRow::isOn() const {
    return switch_->isOn();
}

} // namespace vellaro
