#include "settings/panes/PinnedAppRow.h"

#include "settings/kit/ChevronButton.h"
#include "settings/kit/PanelText.h"
#include "settings/panes/AppsPaneFilter.h"
#include "ui/KitPaint.h"
#include "ui/VelChipButton.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>

namespace vellaro {

PinnedAppRow::PinnedAppRow(const Pal& pal, const AppsPaneSource::PinnedEntry& entry,
                           std::size_t index, std::size_t count, QWidget* parent)
    : KitWidget(pal, parent), bundleID_(entry.bundleID),
      opacity_(AppsPaneFilter::rowOpacity(index)),
      up_(new ChevronButton(pal, QStringLiteral("chevron.up"), AppsPaneFilter::canMoveUp(index),
                            this)),
      down_(new ChevronButton(pal, QStringLiteral("chevron.down"),
                              AppsPaneFilter::canMoveDown(index, count), this)),
      unpin_(new VelChipButton(pal, {.danger = true, .label = QStringLiteral("✕")}, this)) {
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(9);
    auto* icon = new QLabel(this);
    icon->setFixedSize(22, 22);
    if (!entry.icon.isNull()) {
        const qreal ratio = devicePixelRatioF();
        QImage scaled = entry.icon.scaled(qRound(22 * ratio), qRound(22 * ratio),
                                          Qt::KeepAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(ratio);
        icon->setPixmap(QPixmap::fromImage(scaled));
    }
    line->addWidget(icon);
    line->addWidget(new PanelText(pal, entry.name, KitPaint::font(12.5), &Pal::ink, this), 1);
    line->addWidget(up_);
    line->addWidget(down_);
    line->addWidget(unpin_);
    if (opacity_ < 1.0) {
        auto* effect = new QGraphicsOpacityEffect(this);
        effect->setOpacity(opacity_);
        setGraphicsEffect(effect);
    }
    connect(up_, &ChevronButton::clicked, this, [this] { Q_EMIT moveRequested(-1); });
    connect(down_, &ChevronButton::clicked, this, [this] { Q_EMIT moveRequested(+1); });
    connect(unpin_, &VelChipButton::clicked, this, &PinnedAppRow::unpinRequested);
}

} // namespace vellaro
