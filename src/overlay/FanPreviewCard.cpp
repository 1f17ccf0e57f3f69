#include "overlay/FanPreviewCard.h"

#include "model/MenuItem.h"
#include "overlay/DialFont.h"
#include "overlay/PreviewCardGeometry.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace vellaro {

namespace G = PreviewCardGeometry;

namespace {

constexpr double cornerRadius = 10;
constexpr int maxTextLines = 9;
constexpr double maxTextHeight = 150;

QString colorStyle(const QColor& color) {
    return QStringLiteral("color: %1;").arg(color.name(QColor::HexArgb));
}

// The card's rounded outline, half a pixel in so its border is crisp.
QPainterPath cardShape(const QRect& rect) {
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);
    return shape;
}

} // namespace

FanPreviewCard::FanPreviewCard(bool translucent)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                           Qt::WindowDoesNotAcceptFocus),
      translucent_(translucent), content_(new QVBoxLayout(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (translucent_)
        setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    const int m = int(G::margin);
    content_->setContentsMargins(m, m, m, m);
    content_->setSpacing(int(G::spacing));
}

FanPreviewCard::~FanPreviewCard() = default;

void FanPreviewCard::clearContent() {
    for (QLabel** label : {&text_, &image_, &caption_}) {
        if (*label) {
            content_->removeWidget(*label);
            delete *label;
            *label = nullptr;
        }
    }
}

void FanPreviewCard::show(const MenuItem& item, const Colors& colors, QPointF anchor,
                          QPointF direction) {
    if (!item.preview)
        return;
    clearContent();
    colors_ = colors;

    if (item.preview->isText()) {
        text_ = new QLabel(item.preview->text(), this);
        text_->setTextFormat(Qt::PlainText);
        text_->setWordWrap(true);
        text_->setFont(widgetFont(11.5));
        text_->setStyleSheet(colorStyle(colors.text));
        // Sized from the text as laid out within the widest line allowed: a
        // wrapping label's own size hint would break a short text in two.
        const QFontMetricsF metrics(text_->font());
        const double maxHeight =
            std::min(maxTextHeight, std::floor(metrics.lineSpacing() * maxTextLines));
        const QRectF fitted = metrics.boundingRect(QRectF(0, 0, G::maxTextWidth, 1e6),
                                                   Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                                                   item.preview->text());
        text_->setFixedSize(int(std::min(std::ceil(fitted.width()), G::maxTextWidth)),
                            int(std::min(std::ceil(fitted.height()), maxHeight)));
        text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        content_->addWidget(text_);
    } else {
        const QImage picture = item.preview->image();
        const QSizeF points =
            picture.isNull() ? QSizeF()
                             : QSizeF(picture.size()) / std::max(picture.devicePixelRatio(), 1.0);
        const QSizeF shown = G::imageSize(points);
        image_ = new QLabel(this);
        image_->setFixedSize(shown.toSize());
        if (!picture.isNull() && !shown.isEmpty()) {
            const qreal ratio = devicePixelRatioF();
            QPixmap pixmap = QPixmap::fromImage(picture.scaled(
                (shown * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            pixmap.setDevicePixelRatio(ratio);
            image_->setPixmap(pixmap);
        }
        content_->addWidget(image_);
    }

    if (item.previewCaption) {
        caption_ = new QLabel(this);
        caption_->setFont(widgetFont(9.5, QFont::Medium));
        caption_->setStyleSheet(colorStyle(colors.caption));
        const QFontMetricsF metrics(caption_->font());
        caption_->setText(
            metrics.elidedText(*item.previewCaption, Qt::ElideRight, G::maxTextWidth));
        content_->addWidget(caption_);
    }

    // Children made while the card is up stay hidden (and out of the layout)
    // until shown.
    for (QLabel* label : {text_, image_, caption_})
        if (label)
            label->show();
    content_->activate();
    const QSize fitting = content_->sizeHint() - QSize(2 * int(G::margin), 2 * int(G::margin));
    const QSizeF size(std::min<double>(fitting.width(), G::maxTextWidth) + 2 * G::margin,
                      fitting.height() + 2 * G::margin);

    QScreen* screen = QGuiApplication::screenAt(anchor.toPoint());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const auto visible = screen ? std::optional<QRectF>(screen->availableGeometry()) : std::nullopt;
    const QPointF origin = G::origin(anchor, direction, size, visible);
    setGeometry(QRect(origin.toPoint(), size.toSize()));
    content_->setGeometry(rect());
    // Without a compositor the window's corners would show as a light square.
    if (!translucent_)
        setMask(QRegion(cardShape(rect()).toFillPolygon().toPolygon()));
    QWidget::show();
    update();
}

void FanPreviewCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = cardShape(rect());
    QColor fill = colors_.background;
    if (!translucent_)
        fill.setAlpha(255);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(colors_.border, 1));
    painter.drawPath(shape);
}

} // namespace vellaro
