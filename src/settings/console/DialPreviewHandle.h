#pragma once

#include "settings/model/PreviewHandle.h"

#include <QPointer>

class QWidget;

namespace vellaro {

class RadialMenuView;

// The preview handle over the live dial widget, held weakly, with its frame
// measured in the console root's coordinates.
class DialPreviewHandle final : public PreviewHandle {
public:
    explicit DialPreviewHandle(QWidget* coordinateRoot) : root_(coordinateRoot) {}

    void setView(RadialMenuView* view) { view_ = view; }
    RadialMenuView* view() const { return view_; }

    QRectF frame() const override;
    void updateLibraryDrag(QPointF point) override;
    void clear() override;
    void drop(SectionKind section) override;

private:
    QPointer<QWidget> root_;
    QPointer<RadialMenuView> view_;
};

} // namespace vellaro
