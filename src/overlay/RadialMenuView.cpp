#include "overlay/RadialMenuView.h"

#include "model/EffectiveSections.h"
#include "model/MenuDataSource.h"
#include "model/SettingsStore.h"
#include "model/VellaroTheme.h"
#include "overlay/DialDragEditor.h"
#include "overlay/DialSlots.h"
#include "overlay/DialTiming.h"
#include "overlay/FanPreviewCard.h"
#include "overlay/HeapRelease.h"
#include "platform/layers/LayerHostWidget.h"
#include "platform/layers/ShapeCoverageCache.h"
#include "platform/layers/Transaction.h"
#include "platform/session/Appearance.h"
#include "platform/time/Scheduler.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

namespace vellaro {

namespace {

constexpr double minimumBuildSide = 20;
constexpr double previewAnchorDistance = 52;
constexpr double hoverDuration = 0.17;
constexpr double selectionDuration = 0.14;
constexpr auto frameInterval = std::chrono::milliseconds(16);

RadialLayout layoutFor(std::size_t slots, double scale) {
    const auto layout = RadialLayout::standard(std::int64_t(slots));
    return (layout ? *layout : *RadialLayout::standard(6)).scaled(scale);
}

} // namespace

RadialMenuView::RadialMenuView(QSize size, double scale, bool previewMode, const Services& services,
                               QWidget* parent)
    : QWidget(parent), previewMode_(previewMode), settings_(services.settings),
      dataSource_(services.dataSource), scheduler_(services.scheduler),
      appearance_(services.appearance), scale_(scale),
      sections_(effectiveSections(services.settings.settings())),
      layout_(layoutFor(sections_.size(), scale)),
      content_(new LayerHostWidget(services.scheduler, this)),
      backdrop_(MaterialBackdrop::modeFor(previewMode, services.compositing), services.scheduler),
      card_(std::make_unique<FanPreviewCard>(services.compositing)) {
    Presenter& presenter = *this;
    Content& content = *this;
    behavior_ = std::make_unique<RadialBehavior>(previewMode, presenter, content, settings_,
                                                 scheduler_, services.haptics);
    editor_ = std::make_unique<DialDragEditor>(*this);
    behavior_->onExecute = [this](Index section, Index item) {
        if (onExecute)
            onExecute(section, item);
    };
    behavior_->onDismiss = [this] {
        if (onDismiss)
            onDismiss();
    };
    resize(size);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    content_->setAttribute(Qt::WA_TransparentForMouseEvents);
    content_->setGeometry(rect());
    content_->rootLayer()->addSublayer(scene_.root());
    backdrop_.onBlurred = [this] { update(); };

    scene_.build(layout_, DialSlots::make(sections_, ghostIndex_), QSizeF(size), scale_,
                 settings_.settings().showLabels);
    refreshAppearance();

    connect(&appearance_, &Appearance::changed, this, [this] { refreshAppearance(); });
    dataObserver_ = dataSource_.addObserver([this] { behavior_->contentDidChange(); });
}

RadialMenuView::~RadialMenuView() {
    if (fadeTick_)
        scheduler_.cancel(*fadeTick_);
    dataSource_.removeObserver(dataObserver_);
    editor_.reset();
    behavior_.reset();
}

void RadialMenuView::send(const MenuEvent& event) {
    behavior_->send(event);
}

// Settings ------------------------------------------------------------------

bool RadialMenuView::isDark() const {
    return VellaroTheme::isDark(settings_.settings(), appearance_.colorScheme());
}

RadialSurface RadialMenuView::surface() const {
    const auto& settings = settings_.settings();
    const auto theme = VellaroTheme::forSettings(settings, appearance_.colorScheme());
    const auto material = RadialSurface::effectiveMaterial(settings.material, settings.forceOpaque,
                                                           appearance_.reduceTransparency());
    return RadialSurface::make(material, isDark(), theme);
}

RadialScene::Style RadialMenuView::style() const {
    return {VellaroTheme::forSettings(settings_.settings(), appearance_.colorScheme()), surface(),
            appearance_.reduceMotion()};
}

std::optional<int> RadialMenuView::slotOfSection(std::optional<Index> section) const {
    if (!section)
        return std::nullopt;
    return DialSlots::slotOf(int(*section), int(sections_.size()), ghostIndex_);
}

std::optional<int> RadialMenuView::selectedSlot() const {
    return slotOfSection(selectedIndex_);
}

void RadialMenuView::refreshAppearance() {
    // One restyle without animation, the open fan and its highlight included.
    const auto quiet = Transaction::withoutAnimation();
    scene_.refresh(style(), activeSlot(), selectedSlot());
    if (const auto section = state().submenuSection()) {
        const auto hover = state().submenuHover();
        scene_.buildFan(int(*section), currentFanItems(), fanOffset_,
                        settings_.settings().showLabels);
        scene_.highlightFanItem(hover ? std::optional<int>(int(*hover)) : std::nullopt);
    }
    update();
}

void RadialMenuView::reload(std::optional<double> scale) {
    const double factor = scale.value_or(scale_);
    const auto& settings = settings_.settings();
    const auto list = effectiveSections(settings);
    if (factor == scale_ && list == sections_) {
        if (settings.showLabels == scene_.builtShowLabels()) {
            refreshAppearance();
            behavior_->contentDidChange();
        } else {
            rebuildLayers();
        }
        update();
        return;
    }
    scale_ = factor;
    sections_ = list;
    layout_ = layoutFor(sections_.size(), scale_);
    selectedIndex_.reset();
    ghostIndex_.reset();
    resetInteraction();
    rebuildLayers();
}

void RadialMenuView::rebuildLayers() {
    scene_.build(layout_, DialSlots::make(sections_, ghostIndex_), QSizeF(size()), scale_,
                 settings_.settings().showLabels);
    refreshAppearance();
    const MenuState& s = state();
    const auto highlighted = slotOfSection(s.rootHover() ? s.rootHover() : s.submenuSection());
    if (highlighted) {
        const auto quiet = Transaction::withoutAnimation();
        scene_.styleWedge(*highlighted, true);
    }
    if (const auto section = s.submenuSection(); section && *section < Index(sections_.size())) {
        fanOffset_ = computeFanOffset(*section);
        behavior_->contentDidChange();
        scene_.showFan(false);
        scene_.setCore(sections_[std::size_t(*section)]);
    }
    update();
}

void RadialMenuView::resetInteraction() {
    editor_->resetInteraction();
    behavior_->resetInteraction();
}

void RadialMenuView::panelDidHide() {
    behavior_->panelDidHide();
    releaseCaches();
}

void RadialMenuView::warmUp() {
    if (isVisible())
        return;
    const double ratio = screen() ? screen()->devicePixelRatio() : 1.0;
    renderImage(ratio);
    // A backdrop's blur too, if the host gave one: its thread keeps what it
    // allocates for the next.
    backdrop_.startBlur();
    releaseCaches();
}

void RadialMenuView::releaseCaches() {
    // What only serves while the dial is up: the screen's picture, a hidden
    // fan, shapes and shadows the dial at rest does not draw, offscreen
    // buffers. The next opening draws from what is left.
    backdrop_.release();
    scene_.releaseHiddenFan();
    content_->renderer().releaseCaches();
    ShapeCoverageCache::shared().releaseUnused();
    releaseFreeHeap();
}

void RadialMenuView::selectSection(std::optional<SectionKind> section) {
    std::optional<int> index;
    if (section) {
        const auto it = std::find(sections_.begin(), sections_.end(), *section);
        if (it != sections_.end())
            index = int(it - sections_.begin());
    }
    if (index == selectedIndex_)
        return;
    const auto previous = selectedSlot();
    selectedIndex_ = index;
    const auto next = selectedSlot();
    scene_.setSelectedSlot(next);
    Transaction restyle;
    restyle.setDuration(selectionDuration);
    const auto active = activeSlot();
    for (const auto slot : {previous, next})
        if (slot)
            scene_.styleWedge(*slot, slot == active);
}

const std::vector<MenuItem>& RadialMenuView::currentFanItems() const {
    if (const auto& dragged = editor_->fanItemsOverride())
        return *dragged;
    return behavior_->currentFanItems();
}

bool RadialMenuView::contextMenuOpen() const {
    return editor_->contextMenuOpen();
}

void RadialMenuView::updateLibraryDrag(std::optional<QPointF> point) {
    editor_->updateLibraryDrag(point);
}

void RadialMenuView::setLibraryDropTarget(std::optional<int> swap, std::optional<int> ghost) {
    editor_->setLibraryDropTarget(swap, ghost);
}

bool RadialMenuView::dropLibrarySection(SectionKind section) {
    return editor_->dropLibrarySection(section);
}

// Presenter -----------------------------------------------------------------

void RadialMenuView::bloom() {
    scene_.bloom();
}

void RadialMenuView::hoverChanged(std::optional<Index> previous, std::optional<Index> next) {
    Transaction hover(hoverDuration, DialTiming::easeOut());
    if (const auto slot = slotOfSection(previous))
        scene_.styleWedge(*slot, false);
    if (const auto slot = slotOfSection(next))
        scene_.styleWedge(*slot, true);
}

void RadialMenuView::showFan(Index section, const std::vector<MenuItem>& items, FanChange change) {
    if (change != FanChange::redraw)
        fanOffset_ = computeFanOffset(section);
    scene_.buildFan(int(section), items, fanOffset_, settings_.settings().showLabels);
    if (change == FanChange::reveal)
        scene_.showFan(true);
    update();
}

void RadialMenuView::highlightFanItem(std::optional<Index> item) {
    scene_.highlightFanItem(item ? std::optional<int>(int(*item)) : std::nullopt);
}

void RadialMenuView::closeFan() {
    card_->hide();
    scene_.hideFan();
    update();
}

void RadialMenuView::setCore(std::optional<Index> openSection) {
    std::optional<SectionKind> kind;
    if (openSection && *openSection >= 0 && *openSection < Index(sections_.size()))
        kind = sections_[std::size_t(*openSection)];
    scene_.setCore(kind);
}

void RadialMenuView::showPreview(Index position) {
    const auto section = state().submenuSection();
    const auto& items = currentFanItems();
    if (!isVisible() || !section || position < 0 || position >= Index(items.size()))
        return;
    const QPointF c = center();
    const Point q =
        layout_.fanItemCenter(*section, position, Index(items.size()), fanOffset_, {c.x(), c.y()});
    const QPointF toItem(q.x - c.x(), q.y - c.y());
    const double d = std::max(1.0, std::hypot(toItem.x(), toItem.y()));
    const QPointF u = toItem / d;
    const QPointF anchor = QPointF(q.x, q.y) + u * (previewAnchorDistance * scale_);
    const auto theme = VellaroTheme::forSettings(settings_.settings(), appearance_.colorScheme());
    QColor border = theme.accent;
    border.setAlphaF(0.35f);
    const FanPreviewCard::Colors colors{
        border, isDark() ? QColor(0, 0, 0, 71) : QColor(255, 255, 255, 71), theme.ink, theme.muted};
    card_->show(items[std::size_t(position)], colors, mapToGlobal(anchor), u);
}

void RadialMenuView::hidePreview() {
    card_->hide();
}

// Content -------------------------------------------------------------------

MenuConfiguration RadialMenuView::configuration() {
    return dataSource_.menuConfiguration();
}

std::vector<MenuItem> RadialMenuView::items(Index section) {
    if (const auto& dragged = editor_->fanItemsOverride())
        return *dragged;
    if (section < 0 || section >= Index(sections_.size()))
        return {};
    return dataSource_.items(sections_[std::size_t(section)]);
}

double RadialMenuView::computeFanOffset(Index section) const {
    QScreen* screen = isVisible() ? this->screen() : nullptr;
    if (!screen || section < 0 || section >= Index(sections_.size()))
        return 0;
    const QRect visible = screen->availableGeometry();
    const QPoint topLeft = mapFromGlobal(visible.topLeft());
    const Rect rect{double(topLeft.x()), double(topLeft.y()), double(visible.width()),
                    double(visible.height())};
    const auto count = dataSource_.menuConfiguration().itemCount(section);
    const QPointF c = center();
    return layout_.fanOffset(section, count, {c.x(), c.y()}, rect);
}

// Input ---------------------------------------------------------------------

RadialHit RadialMenuView::hit(QPointF point) const {
    std::optional<FanContext> fan;
    if (const auto section = state().submenuSection())
        fan = FanContext{*section, std::max<Index>(Index(currentFanItems().size()), 1), fanOffset_};
    const QPointF c = center();
    const RadialHit hit = layout_.hitTest({point.x(), point.y()}, {c.x(), c.y()}, fan);
    if (hit.kind() != RadialHit::Kind::wedge || !ghostIndex_)
        return hit;
    // The layout counts slots; with a ghost slot shown they are not sections.
    const auto section = DialSlots::sectionAt(int(hit.index()), int(sections_.size()), ghostIndex_);
    return section ? RadialHit::wedge(*section) : RadialHit::gap();
}

void RadialMenuView::pointerAt(QPointF point) {
    send(MenuEvent::pointerMoved(hit(point)));
}

void RadialMenuView::mouseMoveEvent(QMouseEvent* event) {
    if (previewMode_ && editor_->drag(event->position()))
        return;
    send(MenuEvent::pointerMoved(hit(event->position())));
}

void RadialMenuView::mousePressEvent(QMouseEvent* event) {
    // A click acts on release; in the console's preview a press may start a drag.
    event->accept();
    if (event->button() == Qt::RightButton)
        editor_->contextMenu(event->position(), event->globalPosition().toPoint());
    else if (event->button() == Qt::LeftButton && previewMode_)
        editor_->press(event->position());
}

void RadialMenuView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    if (previewMode_) {
        editor_->release(event->position());
        return;
    }
    send(MenuEvent::primaryAction(hit(event->position())));
}

void RadialMenuView::leaveEvent(QEvent*) {
    if (editor_->wedgeDragActive())
        return;
    send(MenuEvent::pointerMoved(RadialHit::outside()));
}

void RadialMenuView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        send(MenuEvent::confirm());
        break;
    case Qt::Key_Escape:
        send(MenuEvent::escape());
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        send(MenuEvent::rotate(1));
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        send(MenuEvent::rotate(-1));
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

// Display -------------------------------------------------------------------

void RadialMenuView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    content_->setGeometry(rect());
    const QSizeF now(size());
    if (now.width() > minimumBuildSide && now.height() > minimumBuildSide &&
        now != scene_.builtSize())
        rebuildLayers();
}

void RadialMenuView::updateRasterScale(double ratio) {
    if (ratio <= 0 || ratio == scene_.rasterScale())
        return;
    scene_.setRasterScale(ratio);
    refreshAppearance();
}

void RadialMenuView::paintBackdrop(QPainter& painter) {
    if (!backdrop_.paints())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    backdrop_.paint(painter, size(), scene_.materialShapes(), surface().blur);
}

void RadialMenuView::paintEvent(QPaintEvent*) {
    updateRasterScale(devicePixelRatioF());
    QPainter painter(this);
    paintBackdrop(painter);
    frameDrawn();
}

void RadialMenuView::frameDrawn() {
    // The backdrop's blur starts once this frame is on its way to the
    // screen: the worker must not hold the first frame back.
    if (backdrop_.blurPending())
        QMetaObject::invokeMethod(
            this, [this] { backdrop_.startBlur(); }, Qt::QueuedConnection);
    // The blurred backdrop fading in needs frames of its own once the
    // opening's animations have ended.
    if (backdrop_.fadingIn() && !fadeTick_)
        fadeTick_ = scheduler_.schedule(frameInterval, [this] {
            fadeTick_.reset();
            update();
        });
}

QImage RadialMenuView::renderImage(double devicePixelRatio,
                                   std::optional<Scheduler::TimePoint> time) {
    updateRasterScale(devicePixelRatio);
    QImage image((QSizeF(size()) * devicePixelRatio).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintBackdrop(painter);
    content_->renderer().render(painter, *content_->rootLayer(), time.value_or(scheduler_.now()));
    frameDrawn();
    return image;
}

} // namespace vellaro
