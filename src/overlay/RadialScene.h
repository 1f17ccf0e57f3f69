#pragma once

#include "core/Point.h"
#include "core/RadialLayout.h"
#include "model/MenuItem.h"
#include "model/SectionKind.h"
#include "model/VellaroTheme.h"
#include "overlay/RadialSurface.h"

#include <QImage>
#include <QPainterPath>
#include <QSizeF>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class Layer;
class ShapeLayer;
class TextLayer;

// The dial's layer tree: the ring of wedges with icons and titles, the core
// disc with the logo mark or the back sign, and the fan of the open section;
// their looks, and the bloom, reveal and hover animations. It knows nothing of
// input or state: the view tells it what to show. Everything lives in Qt's
// y-down plane, the same plane as the layout, so no coordinate is flipped.
class RadialScene {
public:
    using Ptr = std::shared_ptr<Layer>;

    // A ring slot: a section, or the empty ghost slot of a library drag.
    using Slot = std::optional<SectionKind>;

    // What the layers are styled with; taken afresh by the view for each
    // refresh so theme and material changes need no rebuild.
    struct Style {
        VellaroTheme theme;
        RadialSurface surface;
        bool reduceMotion = false;
    };

    // Animation keys of the opening and the fan reveal.
    static constexpr const char* bloomFadeKey = "bloom-fade";
    static constexpr const char* bloomScaleKey = "bloom-scale";
    static constexpr const char* fanFadeKey = "fan-fade";
    static constexpr const char* fanScaleKey = "fan-scale";

    RadialScene();
    ~RadialScene();
    RadialScene(const RadialScene&) = delete;
    RadialScene& operator=(const RadialScene&) = delete;

    // The root to show in a layer tree; it stays the same across rebuilds.
    const Ptr& root() const { return root_; }

    // Tears down and builds every layer for these slots, size and labels,
    // without animation. The fan starts hidden and the core shows the mark.
    void build(const RadialLayout& layout, const std::vector<Slot>& slots, QSizeF size,
               double scale, bool showLabels);
    bool isBuilt() const { return !groups_.empty(); }
    QSizeF builtSize() const { return size_; }
    bool builtShowLabels() const { return showLabels_; }

    // Pixels per point for icon bitmaps; takes effect at the next refresh.
    void setRasterScale(double rasterScale) { rasterScale_ = rasterScale; }
    double rasterScale() const { return rasterScale_; }

    // Applies `style` to every layer, without animation; slot `active` is
    // drawn highlighted and slot `selected` with the selection outline.
    void refresh(const Style& style, std::optional<int> active, std::optional<int> selected);
    // Gives one slot its look at rest or highlighted, in the caller's
    // transaction. Nothing for an invalid or ghost slot.
    void styleWedge(int slot, bool active);
    void setSelectedSlot(std::optional<int> slot) { selected_ = slot; }

    // The fan of slot `parent` with `items` at angular `offset`. Rebuilding
    // leaves every item at rest.
    void buildFan(int parent, const std::vector<MenuItem>& items, double offset, bool showLabels);
    void highlightFanItem(std::optional<int> item);
    void showFan(bool reveal);
    void hideFan();
    bool isFanShown() const;
    // Lets a hidden fan's layers and their bitmaps go; the next fan is
    // built afresh anyway.
    void releaseHiddenFan();

    // Shows the logo mark (none) or the back sign with the section's icon.
    void setCore(std::optional<SectionKind> openSection);

    // The opening: ring and core fade (and, without Reduce Motion, grow) in.
    void bloom();

    // The dial's shapes (every slot, the core, and a shown fan with at least
    // one item's hole) for the backdrop.
    QPainterPath materialShapes() const;

    // For tests and tools.
    Layer* wedgesContainer() const { return wedges_.get(); }
    Layer* coreGroup() const { return coreGroup_.get(); }
    Layer* fanContainer() const { return fan_.get(); }
    Layer* markGroup() const { return mark_.get(); }
    Layer* backGroup() const { return back_.get(); }
    Layer* wedgeGroup(int slot) const;
    Layer* wedgeIcon(int slot) const;
    TextLayer* wedgeLabel(int slot) const;
    ShapeLayer* wedgeShape(int slot) const;
    ShapeLayer* coreShape() const { return coreShape_.get(); }
    const std::vector<std::shared_ptr<ShapeLayer>>& fanShapes() const { return fanShapes_; }
    // Each item's title; a title set in two lines holds the first here.
    const std::vector<std::shared_ptr<TextLayer>>& fanLabels() const { return fanLabels_; }
    const std::vector<std::shared_ptr<TextLayer>>& fanLabelSecondLines() const {
        return fanLabelSecondLines_;
    }

private:
    struct Wedge {
        Slot slot;
        Ptr group;
        std::shared_ptr<ShapeLayer> shape;
        Ptr icon;
        std::shared_ptr<TextLayer> label;
        QImage normal;
        QImage active;
        double angle = 0;
    };

    void buildWedge(int index, const Slot& slot);
    void buildCore();
    void buildFanItem(int parent, int index, int count, const MenuItem& item,
                      const QStringList& titleLines, double offset, bool showLabels);
    // The lines each item's title is set in, so the titles of the fan stay apart.
    std::vector<QStringList> fanTitleLines(int parent, const std::vector<MenuItem>& items,
                                           double offset) const;
    QImage symbolImage(const QString& symbol, double pointSize, const QColor& color) const;
    QImage itemIcon(const MenuItem& item) const;

    Ptr root_;
    Ptr fan_;
    Ptr wedges_;
    Ptr coreGroup_;
    std::shared_ptr<ShapeLayer> coreShape_;
    Ptr mark_;
    Ptr back_;
    Ptr backIcon_;
    std::shared_ptr<TextLayer> brand_;
    std::vector<Wedge> groups_;
    std::vector<std::shared_ptr<ShapeLayer>> fanShapes_;
    std::vector<std::shared_ptr<TextLayer>> fanLabels_;
    // The second line of a title set in two; none for a one-line title.
    std::vector<std::shared_ptr<TextLayer>> fanLabelSecondLines_;

    std::optional<RadialLayout> layout_;
    QSizeF size_;
    Point center_;
    double scale_ = 1;
    double rasterScale_ = 2;
    bool showLabels_ = true;
    Style style_;
    std::optional<int> active_;
    std::optional<int> selected_;
    std::optional<int> fanParent_;
    int fanCount_ = 0;
    double fanOffset_ = 0;
    std::optional<SectionKind> openSection_;
};

} // namespace vellaro
