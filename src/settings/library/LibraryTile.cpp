#include "settings/library/LibraryTile.h"

#include "model/SymbolCatalog.h"
#include "settings/library/LibraryFilter.h"
#include "settings/model/ContextPanelHost.h"
#include "ui/KitPaint.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace vellaro {

namespace {

constexpr double padX = 8, padY = 6, iconSide = 26, spacing = 9;
const QString dragHandle = QString(QChar(0x283F));

QFont titleFont() {
    return KitPaint::font(12, QFont::Medium);
}
QFont blurbFont() {
    return KitPaint::font(9.5);
}
QFont badgeFont() {
    return KitPaint::font(9, QFont::Bold);
}

} // namespace

LibraryTile::LibraryTile(const Pal& pal, SectionKind kind, ContextPanelHost& host, QWidget* parent)
    : KitWidget(pal, parent), kind_(kind), host_(host) {
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

LibraryTile::~LibraryTile() {
    abandonDrag();
}

void LibraryTile::setBadge(std::optional<QString> badge) {
    if (badge == badge_)
        return;
    badge_ = std::move(badge);
    // A tile that joined the dial can no longer be dragged.
    if (badge_)
        abandonDrag();
    update();
}

QSize LibraryTile::sizeHint() const {
    const double text =
        QFontMetricsF(titleFont()).height() + 1 + QFontMetricsF(blurbFont()).height();
    return QSize(300, int(std::ceil(std::max(iconSide, text) + 2 * padY)));
}

void LibraryTile::paintEvent(QPaintEvent*) {
    // Drawn again only when the badge (or its absence) changes.
    cache_.paint(*this, pal(), badge_.value_or(dragHandle),
                 [this](QPainter& painter) { draw(painter); });
}

void LibraryTile::draw(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    if (badge_)
        painter.setOpacity(dimmedOpacity);
    const QRectF frame = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QPainterPath outline = KitPaint::roundedRect(frame, 10);
    QBrush fill(Qt::transparent);
    if (!badge_) {
        QLinearGradient gradient(frame.topLeft(), frame.bottomLeft());
        gradient.setColorAt(0, pal().chipTop);
        gradient.setColorAt(1, pal().chip);
        fill = QBrush(gradient);
    }
    KitPaint::fillAndStroke(painter, outline, fill, pal().line);

    const QRectF icon(padX, (height() - iconSide) / 2.0, iconSide, iconSide);
    KitPaint::fillAndStroke(painter, KitPaint::roundedRect(icon.adjusted(0.5, 0.5, -0.5, -0.5), 7),
                            pal().well, pal().line);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const double symbolSide = 14;
    QImage symbol =
        SymbolCatalog::image(sectionSymbol(kind_), qRound(symbolSide * ratio), pal().ink);
    symbol.setDevicePixelRatio(ratio);
    painter.drawImage(icon.center() - QPointF(symbolSide, symbolSide) / 2, symbol);

    // The trailing badge or handle first, so the text knows its room.
    double right = width() - padX;
    if (badge_) {
        painter.setFont(badgeFont());
        const QFontMetricsF metrics(badgeFont());
        const QSizeF size(metrics.horizontalAdvance(*badge_) + 12, metrics.height() + 4);
        const QRectF badge(right - size.width(), (height() - size.height()) / 2.0, size.width(),
                           size.height());
        KitPaint::fillAndStroke(painter, KitPaint::roundedRect(badge, 6), pal().accentSoft,
                                pal().accent);
        painter.setPen(pal().accent);
        painter.drawText(badge, Qt::AlignCenter, *badge_);
        right = badge.left() - spacing;
    } else {
        const QFont font = KitPaint::font(13);
        painter.setFont(font);
        painter.setPen(pal().muted);
        const double handleWidth = QFontMetricsF(font).horizontalAdvance(dragHandle);
        painter.drawText(QRectF(right - handleWidth, 0, handleWidth, height()), Qt::AlignCenter,
                         dragHandle);
        right -= handleWidth + spacing;
    }

    const double left = icon.right() + spacing;
    const QFontMetricsF title(titleFont()), blurb(blurbFont());
    double top = (height() - (title.height() + 1 + blurb.height())) / 2.0;
    painter.setFont(titleFont());
    painter.setPen(pal().ink);
    painter.drawText(QRectF(left, top, right - left, title.height()), Qt::AlignLeft,
                     title.elidedText(sectionTitle(kind_), Qt::ElideRight, right - left));
    top += title.height() + 1;
    painter.setFont(blurbFont());
    painter.setPen(pal().muted);
    painter.drawText(QRectF(left, top, right - left, blurb.height()), Qt::AlignLeft,
                     blurb.elidedText(LibraryFilter::blurb(kind_), Qt::ElideRight, right - left));
}

QPointF LibraryTile::rootPoint(QPointF local) const {
    QWidget* root = host_.coordinateRoot();
    if (root->isAncestorOf(this))
        return mapTo(root, local);
    return root->mapFromGlobal(mapToGlobal(local));
}

void LibraryTile::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressAt_ = event->position();
    pressRootPoint_ = rootPoint(event->position());
}

void LibraryTile::mouseMoveEvent(QMouseEvent* event) {
    if (!pressAt_ || badge_)
        return;
    if (!dragging_ && QLineF(*pressAt_, event->position()).length() < dragDistance)
        return;
    dragging_ = true;
    host_.handleLibraryDrag(kind_, rootPoint(event->position()));
}

void LibraryTile::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressAt_)
        return;
    pressAt_.reset();
    if (dragging_) {
        dragging_ = false;
        host_.handleLibraryDrop(kind_);
        return;
    }
    // Appending changes the settings, which restyles this tile at once;
    // nothing here runs after the call.
    if (!badge_ && rect().contains(event->position().toPoint()))
        host_.handleLibraryAppend(kind_);
}

void LibraryTile::hideEvent(QHideEvent* event) {
    abandonDrag();
    KitWidget::hideEvent(event);
}

bool LibraryTile::event(QEvent* event) {
    if (event->type() == QEvent::UngrabMouse || event->type() == QEvent::WindowDeactivate)
        abandonDrag();
    return KitWidget::event(event);
}

void LibraryTile::abandonDrag() {
    pressAt_.reset();
    if (!dragging_)
        return;
    dragging_ = false;
    host_.handleLibraryDrag(kind_, pressRootPoint_);
    host_.handleLibraryDrop(kind_);
}

} // namespace vellaro
