#include "workspaces/RestoreReportView.h"

#include "model/SymbolCatalog.h"

#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace vellaro {

namespace {
constexpr int outerMargin = 6;
constexpr int horizontalPadding = 16;
constexpr int verticalPadding = 10;
constexpr int spacing = 8;

QPainterPath capsule(const QRectF& rect) {
    QPainterPath path;
    const qreal radius = rect.height() / 2;
    path.addRoundedRect(rect, radius, radius);
    return path;
}
} // namespace

RestoreReportView::RestoreReportView(const RestoreReportContent& content, bool translucent)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::NoDropShadowWindowHint),
      content_(content), translucent_(translucent) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setAttribute(Qt::WA_TranslucentBackground, translucent_);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(content_.text);
    resize(sizeHint());
}

QFont RestoreReportView::textFont() const {
    // A little smaller than body text, medium weight.
    QFont font = this->font();
    font.setPointSizeF(font.pointSizeF() * 12.0 / 13.0);
    font.setWeight(QFont::Medium);
    return font;
}

int RestoreReportView::symbolSize() const {
    return QFontMetrics(textFont()).height();
}

QSize RestoreReportView::sizeHint() const {
    const QFontMetrics metrics(textFont());
    const int content = std::max(symbolSize(), metrics.height());
    const int width =
        symbolSize() + spacing + metrics.horizontalAdvance(content_.text) + 2 * horizontalPadding;
    return {width + 2 * outerMargin, content + 2 * verticalPadding + 2 * outerMargin};
}

QRect RestoreReportView::capsuleRect() const {
    return rect().adjusted(outerMargin, outerMargin, -outerMargin, -outerMargin);
}

QRect RestoreReportView::symbolRect() const {
    const QRect body = capsuleRect();
    const int size = symbolSize();
    return {body.left() + horizontalPadding, body.top() + (body.height() - size) / 2, size, size};
}

void RestoreReportView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Without a compositor the window itself takes the capsule's shape.
    if (!translucent_)
        setMask(QRegion(capsule(capsuleRect()).toFillPolygon().toPolygon()));
}

void RestoreReportView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = capsuleRect();
    const bool dark = palette().color(QPalette::Window).lightnessF() < 0.5;
    QColor material = dark ? QColor(50, 50, 54) : QColor(246, 246, 248);
    if (translucent_) {
        // A soft shadow inside the margin, then a see-through fill.
        for (int ring = 3; ring >= 1; --ring) {
            painter.fillPath(capsule(body.adjusted(-ring, -ring + 1, ring, ring + 1)),
                             QColor(0, 0, 0, 14));
        }
        material.setAlphaF(0.86);
    }
    painter.fillPath(capsule(body), material);
    painter.setPen(QPen(dark ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 30), 1));
    painter.drawPath(capsule(body.adjusted(0.5, 0.5, -0.5, -0.5)));

    const QRect symbol = symbolRect();
    const qreal ratio = devicePixelRatioF();
    QImage picture =
        SymbolCatalog::image(content_.symbol, qRound(symbol.width() * ratio), content_.tint);
    picture.setDevicePixelRatio(ratio);
    painter.drawImage(symbol.topLeft(), picture);

    painter.setFont(textFont());
    painter.setPen(dark ? QColor(245, 245, 247) : QColor(29, 29, 31));
    const QRect text(symbol.right() + 1 + spacing, capsuleRect().top(),
                     capsuleRect().right() - symbol.right() - spacing - horizontalPadding,
                     capsuleRect().height());
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, content_.text);
}

} // namespace vellaro
