#pragma once

#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

namespace vellaro {

// The kit's slider row: label, a 130 × 20 slider and a value badge. The
// caller owns the value: a press or drag reports each new stepped value
// through valueChanged() (an unchanged one is not reported), and the caller
// sets it back with setValue(). In a narrow column the slider gives way down
// to `narrowestSlider`, then the label is elided.
class VelSliderRow : public KitWidget {
    Q_OBJECT
public:
    struct Range {
        double lower;
        double upper; // above lower
        double step;  // positive
    };
    static constexpr double sliderWidth = 130, sliderHeight = 20, badgeWidth = 62, spacing = 10;
    static constexpr double narrowestSlider = 70;

    VelSliderRow(const Pal& pal, QString label, double value, Range range, QString unit,
                 QWidget* parent = nullptr);

    double value() const { return value_; }
    void setValue(double value);
    QRectF sliderRect() const;
    QRectF badgeRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void draw(QPainter& painter) const;
    void chooseAt(double x);
    double labelWidth() const;
    QSize sizeFor(double slider) const;

    QString label_;
    double value_;
    Range range_;
    QString unit_;
    bool dragging_ = false;
    KitPaintCache cache_;
};

} // namespace vellaro
