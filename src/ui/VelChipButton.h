#pragma once

#include "ui/KitButton.h"

namespace vellaro {

// The kit's chip button: a label, optionally a symbol before it, on a
// gradient chip; active, dashed, danger and disabled looks.
class VelChipButton : public KitButton {
    Q_OBJECT
public:
    struct Look {
        bool active = false;
        bool dashed = false;
        bool danger = false;
        bool disabled = false;
        QString label = {};
        QString symbol = {}; // a symbol name; empty: none
        bool mono = false;
    };

    // Room for the shadow around the chip.
    static constexpr int margin = 4;
    static QColor dangerColor() { return QColor::fromRgbF(0.88f, 0.52f, 0.52f); }

    VelChipButton(const Pal& pal, const Look& look, QWidget* parent = nullptr);

    const Look& look() const { return look_; }
    void setLook(const Look& look);
    QRectF chipRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override { return chipRect(); }
    bool clickable() const override { return !look_.disabled; }

private:
    QColor textColor() const;
    void paintChip(QPainter& painter) const;

    Look look_;
};

} // namespace vellaro
