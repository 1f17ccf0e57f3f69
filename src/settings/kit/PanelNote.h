#pragma once

#include "ui/KitWidget.h"

#include <QFont>

namespace vellaro {

// A note of the context panel in a palette colour, wrapped at word breaks
// to the column's width; its text is always plain.
class PanelNote : public KitWidget {
    Q_OBJECT
public:
    PanelNote(const Pal& pal, QString text, double points, QColor Pal::*color = &Pal::muted,
              QWidget* parent = nullptr);

    const QString& text() const { return text_; }

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF textRect(int width) const;

    QString text_;
    QFont font_;
    QColor Pal::*color_;
};

} // namespace vellaro
