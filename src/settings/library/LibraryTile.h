#pragma once

#include "model/SectionKind.h"
#include "ui/KitPaintCache.h"
#include "ui/KitWidget.h"

#include <optional>

namespace vellaro {

class ContextPanelHost;

// One section of the library: symbol, title, blurb, and either its place on
// the dial (dimmed, a badge) or a drag handle. Off the dial, a click appends
// it and a press that moves 4 points drags it, reporting points in the
// host's coordinate root; the drag ends with a drop, also when the tile is
// hidden, destroyed or loses the pointer first.
class LibraryTile : public KitWidget {
    Q_OBJECT
public:
    static constexpr double dragDistance = 4;
    static constexpr double dimmedOpacity = 0.6;

    LibraryTile(const Pal& pal, SectionKind kind, ContextPanelHost& host,
                QWidget* parent = nullptr);
    ~LibraryTile() override;

    SectionKind kind() const { return kind_; }
    // "3 of 6" when the section is on the dial, none when it is not.
    void setBadge(std::optional<QString> badge);
    const std::optional<QString>& badge() const { return badge_; }
    bool isDragging() const { return dragging_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return QSize(0, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool event(QEvent* event) override;

private:
    void draw(QPainter& painter) const;
    QPointF rootPoint(QPointF local) const;
    // Ends a drag that cannot finish normally: back at its start, outside
    // the preview, then the drop, which finds no target.
    void abandonDrag();

    SectionKind kind_;
    ContextPanelHost& host_;
    std::optional<QString> badge_;
    std::optional<QPointF> pressAt_; // local point of the press in progress
    QPointF pressRootPoint_;
    bool dragging_ = false;
    KitPaintCache cache_;
};

} // namespace vellaro
