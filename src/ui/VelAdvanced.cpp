#include "ui/VelAdvanced.h"

#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QVBoxLayout>
#include <chrono>
#include <cmath>

namespace vellaro {

namespace {

constexpr double padX = 13, padY = 11, gap = 9;

QFont titleFont() {
    QFont font = KitPaint::font(9.5, QFont::Bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.9);
    return font;
}
QFont summaryFont() {
    return KitPaint::font(10.5, QFont::Normal, true);
}
int headerHeight() {
    return int(std::ceil(
        std::max(QFontMetricsF(titleFont()).height(), QFontMetricsF(summaryFont()).height()) +
        2 * padY));
}

} // namespace

VelAdvanced::VelAdvanced(const Pal& pal, bool open, QString summary, QWidget* content,
                         std::optional<KitMotion::Services> motion, QWidget* parent)
    : KitWidget(pal, parent), open_(open), summary_(std::move(summary)), content_(content),
      body_(new QWidget(this)), turn_(
                                    motion, std::chrono::milliseconds(240),
                                    [this](double) { update(); }, KitMotion::Easing::easeInOut) {
    turn_.jumpTo(open ? 1 : 0);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    takeKeyboardFocus();
    auto* card = new QVBoxLayout(this);
    card->setContentsMargins(0, headerHeight(), 0, 0);
    card->setSpacing(0);
    auto* column = new QVBoxLayout(body_);
    column->setContentsMargins(int(padX), 0, int(padX), 13);
    column->setSpacing(12);
    if (content_)
        column->addWidget(content_);
    card->addWidget(body_);
    body_->setVisible(open_);
}

void VelAdvanced::setOpen(bool open) {
    if (open == open_)
        return;
    open_ = open;
    turn_.animateTo(open ? 1 : 0);
    body_->setVisible(open_);
    updateGeometry();
    update();
}

QRectF VelAdvanced::headerRect() const {
    return QRectF(0, 0, width(), headerHeight());
}

void VelAdvanced::paintEvent(QPaintEvent*) {
    // Drawn again only when the chevron turns or the summary changes.
    cache_.paint(*this, pal(), QStringLiteral("%1 %2").arg(turn_.value()).arg(summary_),
                 [this](QPainter& painter) { draw(painter); });
}

void VelAdvanced::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath card =
        KitPaint::roundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12);
    KitPaint::fillAndStroke(painter, card, pal().well, pal().line);
    painter.setClipPath(card);

    const QRectF header = headerRect().adjusted(padX, padY, -padX, -padY);
    painter.setPen(pal().muted);
    painter.setFont(titleFont());
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ADVANCED"));

    // The chevron, turned over while open.
    const double side = 9;
    const QPointF centre(header.right() - side / 2, header.center().y());
    painter.save();
    painter.translate(centre);
    painter.rotate(180 * turn_.value());
    painter.setPen(QPen(pal().muted, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(
        QPolygonF{{-side / 2 + 1, -side / 4}, {0, side / 4}, {side / 2 - 1, -side / 4}});
    painter.restore();

    if (turn_.value() < 1) {
        painter.setOpacity(1 - turn_.value());
        painter.setFont(summaryFont());
        painter.drawText(header.adjusted(0, 0, -(side + gap), 0), Qt::AlignRight | Qt::AlignVCenter,
                         summary_);
    }
}

void VelAdvanced::setSummary(const QString& summary) {
    if (summary == summary_)
        return;
    summary_ = summary;
    update();
}

} // namespace vellaro
