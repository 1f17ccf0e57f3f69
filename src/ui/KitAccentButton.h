#pragma once

#include "ui/KitButton.h"

namespace vellaro {

// The console-style windows' accent button and its quiet partner: `filled`
// is white on the accent, `tinted` the accent on its soft tint inside an
// accent line, both with the accent's glow; `quiet` draws the muted label
// alone. Disabled, it fades to 0.4 and ignores clicks.
class KitAccentButton : public KitButton {
    Q_OBJECT
public:
    enum class Style { quiet, filled, tinted };

    KitAccentButton(const Pal& pal, Style style, QString label, QWidget* parent = nullptr);

    const QString& label() const { return label_; }
    void setLabel(const QString& label);
    Style style() const { return style_; }
    // As a click on it would, unless disabled.
    void click();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    QRectF clickArea() const override;
    bool clickable() const override { return isEnabled(); }

private:
    struct Metrics {
        double points;
        QFont::Weight weight;
        QSizeF padding;
        double radius;
        double glow; // the shadow's spread; 0: none
    };
    Metrics metrics() const;
    int margin() const;

    Style style_;
    QString label_;
};

} // namespace vellaro
