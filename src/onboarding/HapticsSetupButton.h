#pragma once

#include "ui/KitButton.h"

namespace vellaro {

// The haptics wizard's two buttons: a quiet one, only its muted label, and
// an accent one, white on the accent with a glow. Disabled, it fades to 0.4
// and ignores clicks.
class HapticsSetupButton : public KitButton {
    Q_OBJECT
public:
    enum class Style { quiet, accent };

    HapticsSetupButton(const Pal& pal, Style style, QString label, QWidget* parent = nullptr);

    const QString& label() const { return label_; }
    Style style() const { return style_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    QRectF clickArea() const override;
    bool clickable() const override { return isEnabled(); }

private:
    QFont font() const;
    QSizeF padding() const;

    Style style_;
    QString label_;
};

} // namespace vellaro
