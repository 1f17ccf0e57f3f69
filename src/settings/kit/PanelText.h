#pragma once

#include "ui/KitWidget.h"

#include <QFont>

namespace vellaro {

// A line of the context panel's text in a font and a palette colour; it
// follows the palette like the kit's widgets. Too long for its width, it is
// elided, or broken at word boundaries once wrapping is on.
class PanelText : public KitWidget {
    Q_OBJECT
public:
    PanelText(const Pal& pal, QString text, QFont font, QColor Pal::*color,
              QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    // The group heading style: 9.5 points, bold, spaced 1.7, muted.
    static PanelText* heading(const Pal& pal, const QString& text, QWidget* parent = nullptr);

    void setWrapping(bool wrapping);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return wrapping_; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    QFont font_;
    QColor Pal::*color_;
    bool wrapping_ = false;
};

} // namespace vellaro
