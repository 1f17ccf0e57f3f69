#include "settings/kit/PermissionRow.h"

#include "settings/kit/PanelText.h"
#include "settings/kit/StatusDot.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QHBoxLayout>

namespace vellaro {

PermissionRow::PermissionRow(const Pal& pal, const QString& label, bool granted,
                             std::function<void()> enable, QWidget* parent)
    : KitWidget(pal, parent), dot_(new StatusDot(granted, this)),
      grantedText_(
          new PanelText(pal, QStringLiteral("Granted"), KitPaint::font(10.5), &Pal::muted, this)),
      enable_(new VelChipButton(
          pal, VelChipButton::Look{.disabled = !enable, .label = QStringLiteral("Enable…")},
          this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(dot_, 0, Qt::AlignVCenter);
    row->addWidget(new PanelText(pal, label, KitPaint::font(12.5), &Pal::ink, this), 0,
                   Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(grantedText_, 0, Qt::AlignVCenter);
    row->addWidget(enable_, 0, Qt::AlignVCenter);
    if (enable)
        connect(enable_, &VelChipButton::clicked, this, std::move(enable));
    granted_ = !granted;
    setGranted(granted);
}

void PermissionRow::setGranted(bool granted) {
    if (granted == granted_)
        return;
    granted_ = granted;
    dot_->setGood(granted);
    grantedText_->setVisible(granted);
    enable_->setVisible(!granted);
}

} // namespace vellaro
