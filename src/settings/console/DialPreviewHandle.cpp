#include "settings/console/DialPreviewHandle.h"

#include "overlay/RadialMenuView.h"

namespace vellaro {

QRectF DialPreviewHandle::frame() const {
    if (!view_ || !root_ || !view_->isVisible() || view_->size().isEmpty())
        return {};
    return QRectF(view_->mapTo(root_, QPoint(0, 0)), QSizeF(view_->size()));
}

void DialPreviewHandle::updateLibraryDrag(QPointF point) {
    if (view_)
        view_->updateLibraryDrag(point);
}

void DialPreviewHandle::clear() {
    if (view_)
        view_->setLibraryDropTarget(std::nullopt, std::nullopt);
}

void DialPreviewHandle::drop(SectionKind section) {
    if (view_)
        view_->dropLibrarySection(section);
}

} // namespace vellaro
