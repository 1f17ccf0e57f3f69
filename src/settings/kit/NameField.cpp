#include "settings/kit/NameField.h"

#include "ui/KitPaint.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace vellaro {

namespace {

// What QLineEdit keeps between its contents rectangle and its text.
constexpr int horizontalMargin = 2, verticalMargin = 1;

} // namespace

NameField::NameField(const Pal& pal, const QString& placeholder, double points, QWidget* parent)
    : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setFrame(false);
    setFont(KitPaint::font(points));
    QPalette colors = palette();
    colors.setColor(QPalette::Text, pal.ink);
    colors.setColor(QPalette::PlaceholderText, pal.muted);
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Highlight, pal.accent);
    setPalette(colors);
    setAttribute(Qt::WA_MacShowFocusRect, false);
}

QRect NameField::textRect() const {
    QStyleOptionFrame option;
    initStyleOption(&option);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &option, this)
        .marginsRemoved(textMargins())
        .adjusted(horizontalMargin, verticalMargin, -horizontalMargin, -verticalMargin);
}

QString NameField::shownText() const {
    if (hasFocus())
        return text();
    return fontMetrics().elidedText(text(), Qt::ElideRight, textRect().width());
}

void NameField::paintEvent(QPaintEvent* event) {
    const QString shown = shownText();
    if (shown == text()) {
        QLineEdit::paintEvent(event);
        return;
    }
    // Nothing else of the field is drawn: it has no frame and a clear base.
    QPainter painter(this);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    painter.drawText(textRect(), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

} // namespace vellaro
