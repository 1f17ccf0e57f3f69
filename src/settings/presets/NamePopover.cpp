#include "settings/presets/NamePopover.h"

#include "model/ColorMath.h"
#include "platform/windows/CompositingManager.h"
#include "ui/KitPaint.h"

#include <QBoxLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <algorithm>

namespace vellaro {

namespace {

constexpr int padding = 12, corner = 10;

QString cssColor(const QColor& color) {
    return color.name(QColor::HexArgb);
}

} // namespace

NamePopover::NamePopover(const Pal& pal, const QString& title, const QString& initial,
                         std::function<void(const QString&)> commit, QWidget* parent)
    : KitWidget(pal, parent), title_(title), commit_(std::move(commit)),
      header_(new QLabel(title.toUpper(), this)), field_(new QLineEdit(initial, this)),
      save_(new QPushButton(QStringLiteral("Save"), this)),
      translucent_(compositingManagerPresent()) {
    setWindowFlags(Qt::Popup | Qt::FramelessWindowHint | Qt::NoDropShadowWindowHint);
    // Without a compositor a window cannot be see-through: the body is
    // opaque and the window is cut to its shape.
    if (translucent_)
        setAttribute(Qt::WA_TranslucentBackground);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(padding, padding + arrowHeight, padding, padding);
    column->setSpacing(8);
    QFont headerFont = KitPaint::font(9, QFont::Bold);
    headerFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    header_->setFont(headerFont);
    column->addWidget(header_);
    auto* row = new QHBoxLayout;
    row->setSpacing(7);
    field_->setPlaceholderText(QStringLiteral("Preset name"));
    field_->setFont(KitPaint::font(12));
    field_->setFixedWidth(150 + 16);
    save_->setFlat(true);
    save_->setFont(KitPaint::font(11.5, QFont::Medium));
    save_->setCursor(Qt::PointingHandCursor);
    row->addWidget(field_);
    row->addWidget(save_);
    column->addLayout(row);
    connect(field_, &QLineEdit::returnPressed, this, &NamePopover::submit);
    connect(save_, &QPushButton::clicked, this, &NamePopover::submit);
    restyle();
}

std::optional<QString> NamePopover::cleaned(const QString& name) {
    qsizetype first = 0, last = name.size();
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (first < last && blank(name[first]))
        ++first;
    while (last > first && blank(name[last - 1]))
        --last;
    if (first == last)
        return std::nullopt;
    return name.mid(first, last - first);
}

QString NamePopover::header() const {
    return header_->text();
}

void NamePopover::submit() {
    if (const std::optional<QString> name = cleaned(field_->text()))
        commit_(*name);
}

void NamePopover::popUnder(const QRect& anchor) {
    adjustSize();
    QPoint topLeft(anchor.center().x() - width() / 2, anchor.bottom() + 1);
    if (const QScreen* screen = QGuiApplication::screenAt(anchor.center())) {
        const QRect room = screen->availableGeometry();
        topLeft.setX(
            std::clamp(topLeft.x(), room.left(), std::max(room.left(), room.right() - width())));
        topLeft.setY(
            std::clamp(topLeft.y(), room.top(), std::max(room.top(), room.bottom() - height())));
    }
    arrowX_ = std::clamp(anchor.center().x() - topLeft.x(), corner + arrowHeight,
                         width() - corner - arrowHeight);
    move(topLeft);
    if (!translucent_)
        setMask(QRegion(shape().toFillPolygon().toPolygon()));
    show();
    field_->setFocus();
    field_->selectAll();
}

void NamePopover::restyle() {
    const Pal& p = pal();
    styledFor_ = p;
    field_->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px "
                                         "solid %3; border-radius: 7px; padding: 5px 8px; }")
                              .arg(cssColor(p.well), cssColor(p.ink), cssColor(p.line)));
    header_->setStyleSheet(QStringLiteral("color: %1;").arg(cssColor(p.muted)));
    save_->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; border: none; background: transparent; }")
            .arg(cssColor(p.accent)));
}

QPainterPath NamePopover::shape() const {
    const QRectF body = QRectF(rect()).adjusted(0.5, arrowHeight + 0.5, -0.5, -0.5);
    QPainterPath arrow;
    arrow.moveTo(arrowX_ - arrowHeight, body.top() + 1);
    arrow.lineTo(arrowX_, 0.5);
    arrow.lineTo(arrowX_ + arrowHeight, body.top() + 1);
    arrow.closeSubpath();
    return KitPaint::roundedRect(body, corner).united(arrow);
}

QColor NamePopover::bodyColor() const {
    // Opaque, it stands for the panel's colour over the console's.
    return translucent_ ? pal().panel : over(pal().panel, pal().bgTop);
}

void NamePopover::paintEvent(QPaintEvent*) {
    if (!(styledFor_ == pal()))
        restyle();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    KitPaint::fillAndStroke(painter, shape(), bodyColor(), pal().line);
}

void NamePopover::hideEvent(QHideEvent* event) {
    KitWidget::hideEvent(event);
    Q_EMIT closed();
}

} // namespace vellaro
