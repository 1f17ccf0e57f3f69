#pragma once

#include "ui/KitMotion.h"
#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

namespace vellaro {

// The switch of a kit toggle row: a 42 × 24 track with a knob that slides to
// the trailing end when on. A click asks for the negated value.
class KitSwitch : public KitWidget {
    Q_OBJECT
public:
    static constexpr int margin = 4; // room for the halo
    KitSwitch(const Pal& pal, bool on, std::optional<KitMotion::Services> motion,
              QWidget* parent = nullptr);

    bool isOn() const { return on_; }
    void setOn(bool on);
    QRectF trackRect() const;
    QPointF knobCenter() const;

    QSize sizeHint() const override { return QSize(42 + 2 * margin, 24 + 2 * margin); }
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void toggled(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    QRectF clickArea() const override { return trackRect(); }
    void clickedAt(QPointF) override { Q_EMIT toggled(!on_); }
    QPainterPath focusRing() const override;

private:
    void draw(QPainter& painter) const;
    bool on_;
    KitMotion slide_; // 0 off … 1 on
    KitPaintCache cache_;
};

} // namespace vellaro
