#pragma once

#include "platform/layers/ContentsGravity.h"
#include "platform/layers/Layer.h"

#include <QImage>

namespace vellaro {

// A layer that shows a bitmap, placed in its bounds by the contents gravity.
// A content switch shows at once (it is not cross-faded).
class ImageLayer : public Layer {
public:
    using Ptr = std::shared_ptr<ImageLayer>;

    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    ContentsGravity contentsGravity() const { return gravity_; }
    void setContentsGravity(ContentsGravity gravity);
    // Image pixels per layer unit, for the natural size of the image.
    qreal contentsScale() const { return contentsScale_; }
    void setContentsScale(qreal scale);

    // Where the image lands inside `bounds`.
    QRectF contentsRect(const QRectF& bounds) const;

    void paintContents(QPainter& painter, const LayerValues& values, bool animating) const override;
    QRectF contentsExtent(const LayerValues& values) const override;

private:
    QImage image_;
    ContentsGravity gravity_ = ContentsGravity::Resize;
    qreal contentsScale_ = 1.0;
};

} // namespace vellaro
