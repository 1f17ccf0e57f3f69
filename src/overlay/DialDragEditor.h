#pragma once

#include "model/MenuItem.h"
#include "model/SectionKind.h"

#include <QMenu>
#include <QPoint>
#include <QPointF>
#include <QPointer>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace vellaro {

class RadialMenuView;

// The dial view's editing: in the console's preview, a press on a wedge or a
// saved fan item starts a drag that reorders or removes it, a click selects a
// section, and a section chip from the library lands in a gap or on a wedge;
// in both dials a secondary press on a fan item pops up its context menu.
// Every change is saved at once and told to the console through the view's
// hooks. Part of the view it is made for; main thread only.
class DialDragEditor {
public:
    using Index = std::int64_t;

    explicit DialDragEditor(RadialMenuView& view);
    ~DialDragEditor();
    DialDragEditor(const DialDragEditor&) = delete;
    DialDragEditor& operator=(const DialDragEditor&) = delete;

    // Primary button in preview mode, points in the view's coordinates.
    void press(QPointF point);
    // False when the move is an ordinary pointer move for the menu machine.
    bool drag(QPointF point);
    void release(QPointF point);

    // Secondary press in either mode; true when a context menu popped up.
    bool contextMenu(QPointF point, QPoint globalPoint);

    // The view dropped its interaction: a fan drag ends without effect and
    // the library's swap target is forgotten.
    void resetInteraction();

    // Library drags of the console (see RadialMenuView).
    void updateLibraryDrag(std::optional<QPointF> point);
    void setLibraryDropTarget(std::optional<int> swap, std::optional<int> ghost);
    bool dropLibrarySection(SectionKind section);

    bool wedgeDragActive() const { return wedgeDragActive_; }
    bool dragRemoving() const { return dragRemoving_; }
    bool fanDragActive() const { return fanDragActive_; }
    bool fanDragRemoving() const { return fanDragRemoving_; }
    // The fan's items in their dragged order while a fan drag runs.
    const std::optional<std::vector<MenuItem>>& fanItemsOverride() const {
        return fanItemsOverride_;
    }
    std::optional<int> librarySwapTarget() const { return librarySwapTarget_; }
    bool contextMenuOpen() const { return contextMenuOpen_; }

private:
    void startWedgeDrag();
    void updateWedgeDrag(int index, QPointF point);
    void styleWedgeDrag(int index, bool removing);
    void finishWedgeDrag();
    void startFanDrag(Index item);
    void updateFanDrag(QPointF point);
    void styleFanDrag();
    void finishFanDrag();
    void click(QPointF point);
    void applySections(const std::vector<SectionKind>& sections);
    void saveSections(const std::vector<SectionKind>& sections);
    void tell(const QString& message, std::function<void()> undo);
    void tap(std::optional<SectionKind> section);
    std::function<void()> restoring(std::vector<SectionKind> sections) const;
    double distanceFromCenter(QPointF point) const;
    void redrawFan(Index section, const std::vector<MenuItem>& items, std::optional<Index> hover);
    void menuDidClose();

    RadialMenuView& view_;

    std::optional<QPointF> pressLocation_;
    std::optional<int> pressWedge_;
    bool wedgeDragActive_ = false;
    bool dragRemoving_ = false;
    std::vector<SectionKind> orderBeforeDrag_;
    std::optional<Index> pressFan_;
    bool fanDragActive_ = false;
    Index fanDragOrigin_ = 0;
    Index fanDragCurrent_ = 0;
    bool fanDragRemoving_ = false;
    Index fanReorderLimit_ = 0;
    std::optional<std::vector<MenuItem>> fanItemsOverride_;
    std::optional<int> librarySwapTarget_;
    bool contextMenuOpen_ = false;
    // The widget whose keyboard grab was lent to the context menu.
    QPointer<QWidget> lentKeyboard_;
    QPointer<QMenu> menu_;
};

} // namespace vellaro
