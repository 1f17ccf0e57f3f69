#pragma once

#include "model/Pal.h"

#include <QVariantAnimation>
#include <QWidget>

#include <optional>

namespace vellaro {

// A track with an accent bar: as wide as the fraction (capped at 1) and
// never under 6 px; an unknown fraction shows a still sliver of 8 %.
// Changes ease out over 0.2 s while the capsule is on screen.
class ProgressCapsule : public QWidget {
    Q_OBJECT

public:
    ProgressCapsule(const Pal& pal, int height, QWidget* parent = nullptr);

    void setFraction(std::optional<double> fraction);
    std::optional<double> fraction() const { return fraction_; }
    // The bar's width once any animation has settled.
    qreal barWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static qreal shown(std::optional<double> fraction);

    Pal pal_;
    std::optional<double> fraction_;
    qreal displayed_ = 0.08; // the fraction being drawn
    QVariantAnimation animation_;
};

} // namespace vellaro
