#include "updates/UpdateLabel.h"

#include <QLabel>

namespace vellaro {

QLabel* makeUpdateLabel(const QString& text, qreal points, QFont::Weight weight,
                        const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    QFont font = label->font();
    font.setPointSizeF(points);
    font.setWeight(weight);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace vellaro
