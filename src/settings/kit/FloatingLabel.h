#pragma once

#include "ui/KitWidget.h"

#include <functional>

namespace vellaro {

// A one-line label on a rounded plate that floats over the console and
// never takes the pointer: the coach mark and the library drag chip.
class FloatingLabel : public KitWidget {
    Q_OBJECT
public:
    struct Look {
        double points;
        QFont::Weight weight;
        double padX, padY, radius;
        // Colours from the window's palette: text, fill, outline, halo.
        std::function<QColor(const Pal&)> text, fill, stroke, glow;
        double glowRadius = 0;
    };
    static constexpr int margin = 8; // room for the halo

    FloatingLabel(const Pal& pal, Look look, QWidget* parent = nullptr);

    const QString& text() const { return text_; }
    void setText(const QString& text);
    QSize sizeHint() const override;

    static Look coachLook();
    static Look chipLook();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Look look_;
    QString text_;
};

} // namespace vellaro
