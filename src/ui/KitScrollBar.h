#pragma once

#include "model/Pal.h"
#include "ui/KitPaintCache.h"

#include <QScrollBar>

namespace vellaro {

// The kit's scroll indicator: a thin rounded handle in the palette's muted
// colour over a clear track, drawn from a cache rather than with the
// style's gradients. It scrolls like any QScrollBar.
class KitScrollBar : public QScrollBar {
    Q_OBJECT
public:
    static constexpr int thickness = 10;

    KitScrollBar(const Pal& pal, Qt::Orientation orientation, QWidget* parent = nullptr);

    void setPal(const Pal& pal);
    // Where the handle is drawn; empty when there is nothing to scroll.
    QRectF handleRect() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Pal pal_;
    KitPaintCache cache_;
};

} // namespace vellaro
