#pragma once

#include "model/Pal.h"

#include <QImage>
#include <QWidget>

class QVariantAnimation;

namespace vellaro {

// The explain page's mouse in the accent, wiggling now and then while it is
// shown, unless motion is reduced.
class HapticsMouseSymbol : public QWidget {
    Q_OBJECT
public:
    HapticsMouseSymbol(const Pal& pal, bool reduceMotion, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QColor tint_;
    QImage symbol_; // rendered once per pixel ratio, turned on each paint
    QVariantAnimation* wiggle_ = nullptr;
    double angle_ = 0;
};

// The done page's badge: a ring with the accent dot on its upper right,
// which grows in from nothing.
class HapticsBadge : public QWidget {
    Q_OBJECT
public:
    HapticsBadge(const Pal& pal, bool reduceMotion, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor ring_;
    QColor dot_;
    double dotScale_ = 1;
};

} // namespace vellaro
