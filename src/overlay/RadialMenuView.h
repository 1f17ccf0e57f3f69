#pragma once

#include "core/MenuEvent.h"
#include "core/MenuState.h"
#include "core/RadialLayout.h"
#include "model/SectionKind.h"
#include "overlay/MaterialBackdrop.h"
#include "overlay/RadialBehavior.h"
#include "overlay/RadialScene.h"
#include "overlay/RadialSurface.h"
#include "platform/time/Scheduler.h"

#include <QPointF>
#include <QUuid>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vellaro {

class Appearance;
class DialDragEditor;
class DialHaptics;
class FanPreviewCard;
class LayerHostWidget;
class MenuDataSource;
class SettingsStore;

// The dial: a widget that turns pointer and key input into steps of the menu
// machine (RadialBehavior) and shows them through the layer tree of a
// RadialScene over the material backdrop. Used by the overlay panel and, in
// preview mode, by the settings console. Main thread only.
class RadialMenuView : public QWidget,
                       private RadialBehavior::Presenter,
                       private RadialBehavior::Content {
    Q_OBJECT
public:
    using Surface = RadialSurface;
    using Index = RadialBehavior::Index;

    // What the view works with; tests pass their own.
    struct Services {
        SettingsStore& settings;
        MenuDataSource& dataSource;
        Scheduler& scheduler;
        Appearance& appearance;
        DialHaptics* haptics = nullptr; // none: no ticks
        // Whether an X compositing manager runs (ignored in preview mode).
        bool compositing = false;

        // The program's shared services.
        static Services shared();
    };

    static constexpr double baseSide = 480;

    RadialMenuView(QSize size, double scale, bool previewMode, const Services& services,
                   QWidget* parent = nullptr);
    ~RadialMenuView() override;

    // The one entry of every input; hosts send open, triggerReleased and
    // focusLost.
    void send(const MenuEvent& event);
    // The pointer is at `point` (view coordinates), as a move there would say.
    void pointerAt(QPointF point);
    const MenuState& state() const { return behavior_->state(); }

    // After a settings change: restyles for a theme or material change,
    // rebuilds for showLabels, and resets for a new size factor or section
    // list (none keeps the factor).
    void reload(std::optional<double> scale = std::nullopt);
    void rebuildLayers();
    void resetInteraction();
    // The console marks the section whose pane it shows.
    void selectSection(std::optional<SectionKind> section);
    // The overlay calls this on every hide: timers stop, the card goes
    // away, and the caches that serve only while the dial is up shrink to
    // what the dial at rest draws.
    void panelDidHide();

    // Draws the closed dial once off screen (over the backdrop's picture
    // and blur when the host took one) and keeps only what a hidden dial
    // keeps: the first opening finds its fonts, icons and shapes ready, and
    // the blur's thread holds its buffers from the start.
    void warmUp();

    // The window the view lives in asks for an alpha channel when the
    // backdrop is translucent; call before the window is first shown.
    void prepareWindow(QWidget& window) const { backdrop_.prepareWindow(window); }

    double scale() const { return scale_; }
    bool previewMode() const { return previewMode_; }
    const std::vector<SectionKind>& sections() const { return sections_; }
    const RadialLayout& layout() const { return layout_; }
    QPointF center() const { return QPointF(width() / 2.0, height() / 2.0); }
    Surface surface() const;
    double fanOffset() const { return fanOffset_; }
    double rasterScale() const { return scene_.rasterScale(); }
    std::optional<Index> activeWedge() const { return behavior_->activeWedge(); }
    // The ring slot that shows a section: sections after a ghost slot move
    // one slot on, so every restyle maps the section first.
    std::optional<int> slotOfSection(std::optional<Index> section) const;
    std::optional<int> activeSlot() const { return slotOfSection(activeWedge()); }
    // The open fan's items as drawn: in their dragged order during a fan drag.
    const std::vector<MenuItem>& currentFanItems() const;
    const RadialScene& scene() const { return scene_; }
    FanPreviewCard& previewCard() const { return *card_; }
    // The host grabs the screen under the panel here just before showing it
    // (backdrop().capture()), when there is no compositor.
    MaterialBackdrop& backdrop() { return backdrop_; }
    // True while an item's context menu is up.
    bool contextMenuOpen() const;

    // Renders the dial as it looks at `time` (the scheduler's now when none)
    // into an image at `devicePixelRatio`, backdrop included.
    QImage renderImage(double devicePixelRatio,
                       std::optional<Scheduler::TimePoint> time = std::nullopt);

    // Hooks of the host. onExecute runs before onDismiss, which runs before
    // the item's action.
    std::function<void()> onDismiss;
    std::function<void(Index section, Index item)> onExecute;
    // Console preview hooks of drag editing: a click selects a section (none
    // clears it), an edit by drag or drop reports its message and undo, and
    // every wedge drag ends with onFirstDrag.
    std::function<void(std::optional<SectionKind>)> onPreviewTap;
    std::function<void(const QString& message, std::function<void()> undo)> onArrangementEdit;
    std::function<void()> onFirstDrag;

    // A section chip of the console's library over the dial, at a point in
    // the view's coordinates (none when it left): shows where it would land.
    void updateLibraryDrag(std::optional<QPointF> point);
    // The wedge a drop would replace or the gap it would fill; none and none
    // clears both.
    void setLibraryDropTarget(std::optional<int> swap, std::optional<int> ghost);
    // Drops the chip at the target last shown; true when the dial changed.
    bool dropLibrarySection(SectionKind section);
    const DialDragEditor& editor() const { return *editor_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class DialDragEditor;

    // RadialBehavior::Presenter
    void bloom() override;
    void hoverChanged(std::optional<Index> previous, std::optional<Index> next) override;
    void showFan(Index section, const std::vector<MenuItem>& items, FanChange change) override;
    void highlightFanItem(std::optional<Index> item) override;
    void closeFan() override;
    void setCore(std::optional<Index> openSection) override;
    void showPreview(Index item) override;
    void hidePreview() override;
    // RadialBehavior::Content
    MenuConfiguration configuration() override;
    std::vector<MenuItem> items(Index section) override;

    RadialHit hit(QPointF point) const;
    double computeFanOffset(Index section) const;
    void refreshAppearance();
    RadialScene::Style style() const;
    bool isDark() const;
    std::optional<int> selectedSlot() const;
    void updateRasterScale(double ratio);
    void paintBackdrop(QPainter& painter);
    void releaseCaches();
    void frameDrawn();

    const bool previewMode_;
    SettingsStore& settings_;
    MenuDataSource& dataSource_;
    Scheduler& scheduler_;
    Appearance& appearance_;
    double scale_;
    std::vector<SectionKind> sections_;
    RadialLayout layout_;
    RadialScene scene_;
    // The layers, drawn over the backdrop this view paints; it takes no input.
    LayerHostWidget* content_;
    MaterialBackdrop backdrop_;
    std::unique_ptr<FanPreviewCard> card_;
    std::unique_ptr<RadialBehavior> behavior_;
    std::unique_ptr<DialDragEditor> editor_;
    QUuid dataObserver_;
    double fanOffset_ = 0;
    std::optional<int> selectedIndex_;
    std::optional<int> ghostIndex_;
    std::optional<Scheduler::TaskId> fadeTick_;
};

} // namespace vellaro
