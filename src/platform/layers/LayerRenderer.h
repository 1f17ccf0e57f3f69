#pragma once

#include "platform/layers/Layer.h"
#include "platform/layers/ShadowCache.h"

#include <QImage>
#include <vector>

class QPainter;

namespace vellaro {

// Draws a layer tree with QPainter: shadow, contents, then sublayers of each
// layer, with the presentation values at a given time. A layer with a mask,
// or with opacity below 1 over more than one drawing, is drawn offscreen and
// composited as one (group opacity); when it also scales, the buffer is
// scaled as a whole. Shapes and text keep device-resolution bitmaps of
// themselves, so a settled frame is mostly copying. Keep one renderer per
// target: it holds the shadow cache and the offscreen buffers.
class LayerRenderer {
public:
    // Draws `root` (its own position and transform applied) into the
    // painter's current coordinates, at the device's pixel ratio.
    void render(QPainter& painter, const Layer& root, Scheduler::TimePoint now);

    // A new image `size` layer units large at `pixelRatio` (null when that
    // is not a sensible size).
    QImage renderToImage(const Layer& root, QSizeF size, qreal pixelRatio, Scheduler::TimePoint now,
                         const QColor& background = Qt::transparent);

    ShadowCache& shadowCache() { return shadows_; }

    // Between showings: keeps the shadows of the last frame and lets the
    // offscreen buffers go (they come back with the next composited layer).
    void releaseCaches();
    std::size_t scratchBytes() const;

private:
    // Where a layer is drawn from: the time, the nesting of offscreen
    // buffers, and whether an animation above it is running.
    struct Pass {
        Scheduler::TimePoint now;
        int depth = 0;
        bool animating = false;
    };

    void drawLayer(QPainter& painter, const Layer& layer, Pass pass);
    void drawSelf(QPainter& painter, const Layer& layer, const LayerValues& values, Pass pass);
    void drawShadow(QPainter& painter, const Layer& layer, const LayerValues& values);
    void drawComposited(QPainter& painter, const Layer& layer, const LayerValues& values,
                        double opacity, Pass pass);
    QRectF visualExtent(const Layer& layer, const LayerValues& values,
                        Scheduler::TimePoint now) const;
    QImage scratch(std::size_t slot, QSize size, qreal pixelRatio);

    ShadowCache shadows_;
    std::vector<QImage> scratch_;
};

} // namespace vellaro
