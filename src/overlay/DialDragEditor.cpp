#include "overlay/DialDragEditor.h"

#include "core/DragZones.h"
#include "core/MoveElement.h"
#include "core/RingSlots.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "overlay/ArrangementEdit.h"
#include "overlay/DialDragLook.h"
#include "overlay/DialSlots.h"
#include "overlay/FanReorder.h"
#include "overlay/RadialMenuView.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/Transaction.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

namespace vellaro {

namespace {

// Keeps the rest of the click that closed the context menu (Qt may replay its
// press, and its release follows) from the dial; gone with that release.
class DismissingClickFilter final : public QObject {
public:
    explicit DismissingClickFilter(QWidget* dial) : QObject(dial), dial_(dial) {}

    bool eventFilter(QObject* target, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
            type != QEvent::MouseButtonRelease && type != QEvent::MouseMove)
            return false;
        auto* widget = qobject_cast<QWidget*>(target);
        const bool onDial = widget && (widget == dial_ || dial_->isAncestorOf(widget));
        const bool lastRelease = type == QEvent::MouseButtonRelease &&
                                 static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
        // The release reaches the window first, then the widget; anything
        // after it belongs to the next click.
        if (ending_ && !lastRelease) {
            finish();
            return false;
        }
        if (lastRelease) {
            ending_ = true;
            if (widget)
                finish();
        }
        return onDial && type != QEvent::MouseMove;
    }

private:
    void finish() {
        qApp->removeEventFilter(this);
        deleteLater();
    }

    QWidget* dial_;
    bool ending_ = false;
};

} // namespace

namespace {

constexpr double dropTargetDuration = 0.14;

Point planePoint(QPointF p) {
    return {p.x(), p.y()};
}

} // namespace

DialDragEditor::DialDragEditor(RadialMenuView& view) : view_(view) {}

DialDragEditor::~DialDragEditor() {
    // The menu is the view's child and would outlive this editor otherwise.
    if (menu_) {
        QObject::disconnect(menu_, nullptr, nullptr, nullptr);
        delete menu_;
    }
}

double DialDragEditor::distanceFromCenter(QPointF point) const {
    const QPointF d = point - view_.center();
    return std::hypot(d.x(), d.y());
}

// Press, drag, release --------------------------------------------------------

void DialDragEditor::press(QPointF point) {
    pressLocation_ = point;
    pressWedge_.reset();
    pressFan_.reset();
    const RadialHit hit = view_.hit(point);
    if (hit.kind() == RadialHit::Kind::wedge) {
        pressWedge_ = int(hit.index());
        return;
    }
    const auto section = view_.state().submenuSection();
    if (hit.kind() != RadialHit::Kind::fanItem || !section ||
        *section >= Index(view_.sections_.size()))
        return;
    const SectionKind kind = view_.sections_[std::size_t(*section)];
    fanReorderLimit_ = FanReorder::limit(kind, view_.dataSource_.movableItemCount(kind));
    if (hit.index() < fanReorderLimit_)
        pressFan_ = hit.index();
}

bool DialDragEditor::drag(QPointF point) {
    if (!pressLocation_)
        return false;
    const Point press = planePoint(*pressLocation_);
    if (pressWedge_) {
        if (!wedgeDragActive_) {
            if (!DragZones::passedThreshold(press, planePoint(point), DragZones::wedgeDragStart))
                return true;
            startWedgeDrag();
        }
        updateWedgeDrag(*pressWedge_, point);
        return true;
    }
    if (pressFan_) {
        if (!fanDragActive_) {
            if (!DragZones::passedThreshold(press, planePoint(point), DragZones::fanDragStart))
                return true;
            startFanDrag(*pressFan_);
        }
        updateFanDrag(point);
        return true;
    }
    return false;
}

void DialDragEditor::release(QPointF point) {
    if (wedgeDragActive_)
        finishWedgeDrag();
    else if (fanDragActive_)
        finishFanDrag();
    else
        click(point);
    pressLocation_.reset();
    pressWedge_.reset();
    pressFan_.reset();
}

void DialDragEditor::click(QPointF point) {
    const RadialHit hit = view_.hit(point);
    const auto open = view_.state().submenuSection();
    const auto& sections = view_.sections_;
    const auto sectionAt = [&](Index i) -> std::optional<SectionKind> {
        if (i < 0 || i >= Index(sections.size()))
            return std::nullopt;
        return sections[std::size_t(i)];
    };
    switch (hit.kind()) {
    case RadialHit::Kind::wedge:
        if (open && *open == hit.index()) {
            tap(std::nullopt);
            view_.send(MenuEvent::escape());
        } else {
            tap(sectionAt(hit.index()));
            view_.send(MenuEvent::primaryAction(hit));
        }
        return;
    case RadialHit::Kind::fanItem:
        // Selects the open section; no item runs in the preview.
        if (open)
            tap(sectionAt(*open));
        return;
    case RadialHit::Kind::core:
        tap(std::nullopt);
        view_.send(MenuEvent::primaryAction(hit));
        return;
    case RadialHit::Kind::gap:
    case RadialHit::Kind::outside:
        view_.send(MenuEvent::primaryAction(hit));
        return;
    }
}

// Wedge drag -----------------------------------------------------------------

void DialDragEditor::startWedgeDrag() {
    wedgeDragActive_ = true;
    orderBeforeDrag_ = view_.sections_;
    view_.selectedIndex_.reset();
    view_.scene_.setSelectedSlot(std::nullopt);
    tap(std::nullopt);
    if (view_.state().submenuSection())
        view_.send(MenuEvent::escape());
}

void DialDragEditor::updateWedgeDrag(int index, QPointF point) {
    dragRemoving_ =
        DragZones::wedgeRemoving(view_.layout_, view_.scale_, distanceFromCenter(point));
    if (!dragRemoving_) {
        const double angle = RadialLayout::angle(planePoint(point), planePoint(view_.center()));
        const auto slot = int(RingSlots::position(angle, Index(view_.sections_.size())).slot);
        // The other sections shift live as the dragged one passes them.
        if (slot != index && moveElement(view_.sections_, index, slot)) {
            index = slot;
            pressWedge_ = slot;
            view_.rebuildLayers();
        }
    }
    styleWedgeDrag(index, dragRemoving_);
}

void DialDragEditor::styleWedgeDrag(int index, bool removing) {
    RadialScene& scene = view_.scene_;
    ShapeLayer* dragged = scene.wedgeShape(index);
    if (!dragged)
        return;
    const auto quiet = Transaction::withoutAnimation();
    for (int slot = 0; slot < int(view_.sections_.size()); ++slot) {
        if (slot == index)
            continue;
        scene.styleWedge(slot, false);
        if (ShapeLayer* shape = scene.wedgeShape(slot))
            DialDragLook::clearDash(*shape);
    }
    if (removing)
        DialDragLook::applyRemoving(*dragged, view_.isDark(), scene.wedgeIcon(index));
    else
        DialDragLook::applyTarget(*dragged, view_.surface(), view_.style().theme.accent,
                                  DialDragLook::draggedWedgeLine, scene.wedgeIcon(index));
    view_.update();
}

void DialDragEditor::finishWedgeDrag() {
    const auto index = pressWedge_;
    const bool removing = dragRemoving_;
    const std::vector<SectionKind> before = std::move(orderBeforeDrag_);
    wedgeDragActive_ = false;
    dragRemoving_ = false;
    orderBeforeDrag_.clear();
    if (view_.onFirstDrag)
        view_.onFirstDrag();

    const auto end = ArrangementEdit::finishWedgeDrag(
        before, view_.sections_, index ? std::optional<Index>(*index) : std::nullopt, removing);
    applySections(end.sections);
    if (end.save)
        saveSections(end.sections);
    if (end.message)
        tell(*end.message, end.undo ? restoring(*end.undo) : nullptr);
}

// Fan item drag --------------------------------------------------------------

void DialDragEditor::startFanDrag(Index item) {
    fanDragActive_ = true;
    fanDragOrigin_ = fanDragCurrent_ = item;
    fanItemsOverride_ = view_.currentFanItems();
    // No preview card while an item moves.
    view_.behavior_->panelDidHide();
}

void DialDragEditor::updateFanDrag(QPointF point) {
    const bool removing =
        DragZones::fanItemRemoving(view_.layout_, view_.scale_, distanceFromCenter(point));
    if (removing != fanDragRemoving_) {
        fanDragRemoving_ = removing;
        styleFanDrag();
    }
    if (removing || !fanItemsOverride_)
        return;
    const RadialHit hit = view_.hit(point);
    const auto section = view_.state().submenuSection();
    if (hit.kind() != RadialHit::Kind::fanItem || !section)
        return;
    auto& items = *fanItemsOverride_;
    if (!FanReorder::canMove(hit.index(), fanDragCurrent_, fanReorderLimit_, Index(items.size())))
        return;
    moveElement(items, fanDragCurrent_, hit.index());
    fanDragCurrent_ = hit.index();
    redrawFan(*section, items, fanDragCurrent_);
}

void DialDragEditor::redrawFan(Index section, const std::vector<MenuItem>& items,
                               std::optional<Index> hover) {
    RadialScene& scene = view_.scene_;
    scene.buildFan(int(section), items, view_.fanOffset_, view_.settings_.settings().showLabels);
    scene.highlightFanItem(hover ? std::optional<int>(int(*hover)) : std::nullopt);
    view_.update();
}

void DialDragEditor::styleFanDrag() {
    RadialScene& scene = view_.scene_;
    const auto& shapes = scene.fanShapes();
    if (fanDragCurrent_ < 0 || fanDragCurrent_ >= Index(shapes.size()))
        return;
    const auto quiet = Transaction::withoutAnimation();
    ShapeLayer& shape = *shapes[std::size_t(fanDragCurrent_)];
    if (fanDragRemoving_) {
        DialDragLook::applyRemoving(shape, view_.isDark());
    } else {
        DialDragLook::clearDash(shape);
        scene.highlightFanItem(int(fanDragCurrent_));
    }
    view_.update();
}

void DialDragEditor::finishFanDrag() {
    const Index origin = fanDragOrigin_;
    const Index current = fanDragCurrent_;
    const bool removing = fanDragRemoving_;
    fanDragActive_ = false;
    fanDragRemoving_ = false;
    fanItemsOverride_.reset();

    const auto section = view_.state().submenuSection();
    if (!section || *section >= Index(view_.sections_.size()))
        return;
    const SectionKind kind = view_.sections_[std::size_t(*section)];
    std::optional<MenuDataSource::Toast> toast;
    if (removing)
        toast = view_.dataSource_.removeItem(kind, origin);
    else if (origin != current)
        view_.dataSource_.moveItem(kind, origin, current);
    // The section announces its change and the fan follows; shown again here
    // too, so a section that kept its order drops the dragged one.
    view_.behavior_->contentDidChange();
    if (toast)
        tell(toast->message, toast->undo);
}

void DialDragEditor::resetInteraction() {
    fanDragActive_ = false;
    fanDragRemoving_ = false;
    fanItemsOverride_.reset();
    pressFan_.reset();
    librarySwapTarget_.reset();
}

// Sections -------------------------------------------------------------------

void DialDragEditor::applySections(const std::vector<SectionKind>& sections) {
    const auto count = Index(sections.size());
    if (count != view_.layout_.sectionCount) {
        const auto layout = RadialLayout::standard(count);
        if (!layout)
            return; // never fewer than two nor more than seven sections
        view_.layout_ = layout->scaled(view_.scale_);
    }
    if (sections.size() != view_.sections_.size())
        view_.resetInteraction();
    view_.sections_ = sections;
    view_.rebuildLayers();
}

void DialDragEditor::saveSections(const std::vector<SectionKind>& sections) {
    view_.settings_.setCustomSections(sections);
}

std::function<void()> DialDragEditor::restoring(std::vector<SectionKind> sections) const {
    SettingsStore* settings = &view_.settings_;
    return [settings, sections = std::move(sections)] { settings->setCustomSections(sections); };
}

void DialDragEditor::tell(const QString& message, std::function<void()> undo) {
    if (view_.onArrangementEdit)
        view_.onArrangementEdit(message, std::move(undo));
}

void DialDragEditor::tap(std::optional<SectionKind> section) {
    if (view_.onPreviewTap)
        view_.onPreviewTap(section);
}

// Library drags --------------------------------------------------------------

void DialDragEditor::updateLibraryDrag(std::optional<QPointF> point) {
    if (!point) {
        setLibraryDropTarget(std::nullopt, std::nullopt);
        return;
    }
    if (view_.state().submenuSection())
        view_.send(MenuEvent::escape());
    const auto ghost = view_.ghostIndex_;
    const LibraryDropTarget target = RingSlots::libraryTarget(
        planePoint(*point), planePoint(view_.center()), view_.layout_, view_.scale_,
        Index(view_.sections_.size()), ghost ? std::optional<Index>(*ghost) : std::nullopt);
    setLibraryDropTarget(target.swap ? std::optional<int>(int(*target.swap)) : std::nullopt,
                         target.ghost ? std::optional<int>(int(*target.ghost)) : std::nullopt);
}

void DialDragEditor::setLibraryDropTarget(std::optional<int> swap, std::optional<int> ghost) {
    const int count = int(view_.sections_.size());
    // A full dial shows no gap: the ring never holds more than seven slots.
    if (ghost && (*ghost < 0 || !RingSlots::acceptsInsertion(count)))
        ghost.reset();
    if (ghost)
        ghost = std::min(*ghost, count);
    RadialScene& scene = view_.scene_;
    if (ghost != view_.ghostIndex_) {
        librarySwapTarget_.reset();
        view_.ghostIndex_ = ghost;
        view_.layout_ = RadialLayout::standard(count + (ghost ? 1 : 0))->scaled(view_.scale_);
        view_.rebuildLayers();
    }
    if (swap == librarySwapTarget_)
        return;
    Transaction restyle;
    restyle.setDuration(dropTargetDuration);
    if (const auto previous = DialSlots::slotOf(librarySwapTarget_, count, view_.ghostIndex_))
        scene.styleWedge(*previous, previous == view_.activeSlot());
    if (const auto next = DialSlots::slotOf(swap, count, view_.ghostIndex_))
        if (ShapeLayer* shape = scene.wedgeShape(*next))
            DialDragLook::applyTarget(*shape, view_.surface(), view_.style().theme.accent,
                                      DialDragLook::dropTargetLine);
    librarySwapTarget_ = swap;
    view_.update();
}

bool DialDragEditor::dropLibrarySection(SectionKind section) {
    const std::vector<SectionKind> before = view_.sections_;
    const auto ghost = view_.ghostIndex_;
    const auto drop = ArrangementEdit::dropLibrarySection(
        before, section, ghost ? std::optional<Index>(*ghost) : std::nullopt,
        librarySwapTarget_ ? std::optional<Index>(*librarySwapTarget_) : std::nullopt);
    if (drop) {
        view_.ghostIndex_.reset();
        librarySwapTarget_.reset();
        applySections(drop->sections);
        saveSections(drop->sections);
        tell(drop->message, restoring(before));
    }
    setLibraryDropTarget(std::nullopt, std::nullopt);
    return drop.has_value();
}

// Context menu ---------------------------------------------------------------

bool DialDragEditor::contextMenu(QPointF point, QPoint globalPoint) {
    const RadialHit hit = view_.hit(point);
    const auto& items = view_.currentFanItems();
    if (hit.kind() != RadialHit::Kind::fanItem || hit.index() < 0 ||
        hit.index() >= Index(items.size()))
        return false;
    const auto& actions = items[std::size_t(hit.index())].menuActions;
    if (actions.empty() || menu_)
        return false;

    auto* menu = new QMenu(&view_);
    for (const MenuAction& action : actions)
        QObject::connect(menu->addAction(action.title()), &QAction::triggered, menu,
                         [this, action] { view_.behavior_->runMenuAction(action); });
    QObject::connect(menu, &QMenu::aboutToHide, menu, [this, menu] {
        menuDidClose();
        menu->deleteLater();
    });
    menu_ = menu;
    contextMenuOpen_ = true;
    // A keyboard grab held for the dial (the overlay's panel holds one) would
    // keep every key from the menu: it is lent to the menu while it is up.
    if (QWidget* holder = QWidget::keyboardGrabber();
        holder && (holder == &view_ || holder->isAncestorOf(&view_))) {
        lentKeyboard_ = holder;
        holder->releaseKeyboard();
    }
    menu->popup(globalPoint);
    return true;
}

void DialDragEditor::menuDidClose() {
    contextMenuOpen_ = false;
    menu_.clear();
    // A button still down means a press outside the menu closed it (a chosen
    // entry closes it on the release): that click only dismisses the menu.
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        qApp->installEventFilter(new DismissingClickFilter(&view_));
    if (lentKeyboard_) {
        QWidget* holder = lentKeyboard_;
        lentKeyboard_.clear();
        if (holder->isVisible())
            holder->grabKeyboard();
        return;
    }
    QWidget* window = view_.window();
    if (window->isVisible() && !window->testAttribute(Qt::WA_ShowWithoutActivating) &&
        !window->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus))
        window->activateWindow();
}

} // namespace vellaro
