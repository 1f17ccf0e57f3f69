#include "settings/NameField.h"

#include "ui/KitPaint.h"

namespace vellaro {

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

} // namespace vellaro
