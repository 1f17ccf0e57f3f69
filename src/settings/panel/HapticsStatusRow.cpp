#include "settings/panel/HapticsStatusRow.h"

#include "overlay/MouseHapticsClient.h"
#include "platform/session/Notifications.h"
#include "settings/kit/PanelText.h"
#include "settings/kit/StatusDot.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QHBoxLayout>

namespace vellaro {

HapticsStatusRow::HapticsStatusRow(const Pal& pal, MXHapticsState first,
                                   MouseHapticsClient& haptics, Notifications& notifications,
                                   std::function<void()> showSetup, QWidget* parent)
    : KitWidget(pal, parent), state_(first), haptics_(haptics), showSetup_(std::move(showSetup)),
      dot_(new StatusDot(first == MXHapticsState::active, this)),
      label_(new PanelText(pal, QString(), KitPaint::font(11), &Pal::muted, this)),
      chip_(new VelChipButton(pal, {}, this)) {
    label_->setWrapping(true);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    row->addWidget(dot_, 0, Qt::AlignVCenter);
    row->addWidget(label_, 0, Qt::AlignVCenter);
    row->addStretch(1);
    row->addWidget(chip_, 0, Qt::AlignVCenter);
    connect(chip_, &VelChipButton::clicked, this, [this] {
        if (state_ == MXHapticsState::active)
            haptics_.sendTestBurst();
        else if (showSetup_)
            showSetup_();
    });
    if (first != MXHapticsState::hidden)
        notifications.observe(QLatin1String(changedNotification), this, [this](QObject*) {
            if (isVisible())
                refresh();
        });
    setState(first);
}

void HapticsStatusRow::refresh() {
    if (state_ == MXHapticsState::hidden)
        return;
    haptics_.isPluginReachable(this, [this](bool reachable) {
        setState(reachable ? MXHapticsState::active : MXHapticsState::needsSetup);
    });
}

void HapticsStatusRow::setState(MXHapticsState state) {
    state_ = state;
    const bool active = state == MXHapticsState::active;
    dot_->setGood(active);
    label_->setText(active ? QStringLiteral("MX Master haptics active")
                           : QStringLiteral("MX Master haptics — one-time setup needed"));
    chip_->setLook({.disabled = !active && !showSetup_,
                    .label = active ? QStringLiteral("Test") : QStringLiteral("Set Up…")});
    setVisible(state != MXHapticsState::hidden);
}

void HapticsStatusRow::showEvent(QShowEvent* event) {
    KitWidget::showEvent(event);
    refresh();
}

QRectF HapticsStatusRow::clickArea() const {
    return label_->geometry();
}

} // namespace vellaro
