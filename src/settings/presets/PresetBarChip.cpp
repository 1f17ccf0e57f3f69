#include "settings/presets/PresetBarChip.h"

#include "settings/presets/MiniDial.h"
#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QMenu>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {

// Room for the shadow around the chip.
constexpr int margin = 4;
constexpr double padX = 10, padY = 5, itemGap = 7, dialSide = 26, radius = 11;

QFont titleFont(PresetBarChip::Kind kind) {
    return kind == PresetBarChip::Kind::custom ? KitPaint::font(11, QFont::DemiBold)
                                               : KitPaint::font(11, QFont::Medium);
}

QFont detailFont() {
    return KitPaint::font(9);
}

// "⋯": a flat button whose menu pops up without a nested event loop.
class MoreButton final : public KitWidget {
public:
    MoreButton(const Pal& pal, QMenu* menu, QWidget* parent) : KitWidget(pal, parent), menu_(menu) {
        setFixedSize(16, 22);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setFont(KitPaint::font(12));
        painter.setPen(pal().muted);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("⋯"));
    }
    void clickedAt(QPointF) override { menu_->popup(mapToGlobal(rect().bottomLeft())); }

private:
    QMenu* menu_;
};

} // namespace

PresetBarChip::PresetBarChip(const Pal& pal, Kind kind, const DialPreset& preset, bool withMenu,
                             QWidget* parent)
    : KitButton(pal, parent), kind_(kind), preset_(preset) {
    if (kind == Kind::preset) {
        dial_ = new MiniDial(pal, preset.sections, false, this);
        dial_->setGeometry(int(margin + padX), 0, int(dialSide), int(dialSide));
    }
    if (withMenu) {
        menu_ = new QMenu(this);
        contextMenu_ = new QMenu(this);
        more_ = new MoreButton(pal, menu_, this);
        setContextMenuPolicy(Qt::CustomContextMenu);
        connect(this, &QWidget::customContextMenuRequested, this,
                [this](const QPoint& at) { contextMenu_->popup(mapToGlobal(at)); });
    }
    if (kind != Kind::custom)
        setCursor(Qt::PointingHandCursor);
}

void PresetBarChip::setLook(const Look& look) {
    const bool resized = look.title != look_.title || look.detail != look_.detail;
    look_ = look;
    if (resized)
        updateGeometry();
    update();
}

double PresetBarChip::textLeft() const {
    return margin + padX + (kind_ == Kind::custom ? 0 : dialSide + itemGap);
}

double PresetBarChip::textWidth() const {
    return std::max(QFontMetricsF(titleFont(kind_)).horizontalAdvance(look_.title),
                    QFontMetricsF(detailFont()).horizontalAdvance(look_.detail));
}

QSize PresetBarChip::sizeHint() const {
    const double textHeight =
        QFontMetricsF(titleFont(kind_)).height() + QFontMetricsF(detailFont()).height();
    const double content = std::max(kind_ == Kind::custom ? 0 : dialSide, textHeight);
    double right = textLeft() + textWidth();
    if (more_)
        right += itemGap + more_->width();
    return {int(std::ceil(right + padX + margin)), int(std::ceil(content + 2 * padY + 2 * margin))};
}

QRectF PresetBarChip::chipRect() const {
    return QRectF(rect()).adjusted(margin, margin, -margin, -margin);
}

QRectF PresetBarChip::clickArea() const {
    return chipRect();
}

void PresetBarChip::paintEvent(QPaintEvent*) {
    const QRectF chip = chipRect();
    const double middle = chip.center().y();
    if (dial_)
        dial_->move(int(chip.left() + padX), int(std::round(middle - dialSide / 2)));
    if (more_)
        more_->move(int(chip.right() - padX - more_->width()),
                    int(std::round(middle - more_->height() / 2.0)));

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool dashed = kind_ == Kind::save;
    KitPaint::chipFrame(painter, chip, radius, pal(), {look_.active, dashed, !dashed});

    if (kind_ == Kind::save) {
        // A dashed circle with "＋" in the dial's place.
        QColor ring = pal().muted;
        ring.setAlphaF(0.7f);
        QPen circle(ring, 1);
        circle.setDashPattern({3, 3});
        painter.setPen(circle);
        painter.setBrush(Qt::NoBrush);
        const QRectF disc(chip.left() + padX + 0.5, middle - dialSide / 2 + 0.5, dialSide - 1,
                          dialSide - 1);
        painter.drawEllipse(disc);
        // The full-width plus is missing from common Linux fonts: drawn as
        // two strokes of its size instead.
        painter.setPen(QPen(pal().muted, 1.3, Qt::SolidLine, Qt::RoundCap));
        const QPointF c = disc.center();
        constexpr double arm = 4.5;
        painter.drawLine(c - QPointF(arm, 0), c + QPointF(arm, 0));
        painter.drawLine(c - QPointF(0, arm), c + QPointF(0, arm));
    }

    const QFontMetricsF titleMetrics(titleFont(kind_)), detailMetrics(detailFont());
    const double top = middle - (titleMetrics.height() + detailMetrics.height()) / 2;
    const double left = textLeft();
    QColor title = kind_ == Kind::custom ? pal().accent
                   : kind_ == Kind::save ? pal().muted
                                         : pal().ink;
    painter.setFont(titleFont(kind_));
    painter.setPen(title);
    painter.drawText(QRectF(left, top, textWidth() + 1, titleMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, look_.title);
    QColor detail = pal().muted;
    if (kind_ == Kind::save)
        detail.setAlphaF(0.75f);
    painter.setFont(detailFont());
    painter.setPen(detail);
    painter.drawText(
        QRectF(left, top + titleMetrics.height(), textWidth() + 1, detailMetrics.height()),
        Qt::AlignLeft | Qt::AlignVCenter, look_.detail);
}

} // namespace vellaro
