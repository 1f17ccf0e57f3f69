#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace vellaro {

// A plain-text label in the system font at `points`, in `color`.
QLabel* makeUpdateLabel(const QString& text, qreal points, QFont::Weight weight,
                        const QColor& color, QWidget* parent = nullptr);

} // namespace vellaro
