#include "overlay/RadialBehavior.h"

#include "core/MenuMachine.h"
#include "model/SettingsStore.h"
#include "overlay/DialHaptics.h"
#include "overlay/Logging.h"

namespace vellaro {

RadialBehavior::RadialBehavior(bool previewMode, Presenter& presenter, Content& content,
                               const SettingsStore& settings, Scheduler& scheduler,
                               DialHaptics* haptics)
    : previewMode_(previewMode), presenter_(presenter), content_(content), settings_(settings),
      scheduler_(scheduler), haptics_(haptics) {}

RadialBehavior::~RadialBehavior() {
    cancel(dwellTask_);
    cancel(previewTask_);
}

void RadialBehavior::cancel(std::optional<Scheduler::TaskId>& task) {
    if (task)
        scheduler_.cancel(*task);
    task.reset();
}

void RadialBehavior::send(const MenuEvent& event) {
    if (runKeepsOpen(event))
        return;
    const MenuState old = state_;
    const auto [next, effect] = MenuMachine::transition(state_, event, content_.configuration());
    state_ = next;
    if (state_ != old) {
        stateDidChange(old, state_);
        restartDwell();
    }
    switch (effect.kind()) {
    case MenuEffect::Kind::none:
        break;
    case MenuEffect::Kind::dismiss:
        if (onDismiss)
            onDismiss();
        break;
    case MenuEffect::Kind::execute:
        execute(effect.section(), effect.item());
        break;
    }
}

// A keeps-open item runs without stepping the machine; the dial stays as it is.
bool RadialBehavior::runKeepsOpen(const MenuEvent& event) {
    const auto section = state_.submenuSection();
    if (!section)
        return false;
    std::optional<Index> position;
    if (event.kind() == MenuEvent::Kind::primaryAction &&
        event.hit().kind() == RadialHit::Kind::fanItem)
        position = event.hit().index();
    else if (event.kind() == MenuEvent::Kind::triggerReleased ||
             event.kind() == MenuEvent::Kind::confirm)
        position = state_.submenuHover();
    if (!position || *position < 0 || *position >= Index(currentFanItems_.size()))
        return false;
    const MenuItem& item = currentFanItems_[std::size_t(*position)];
    if (!item.keepsOpen)
        return false;
    // A copy: an action that changes its own section replaces the fan's
    // items, and with them this function, while it runs.
    if (!previewMode_ && item.action) {
        const std::function<void()> action = item.action;
        action();
    }
    return true;
}

void RadialBehavior::execute(Index section, Index position) {
    std::optional<MenuItem> item;
    if (position >= 0 && position < Index(currentFanItems_.size()))
        item = currentFanItems_[std::size_t(position)];
    qCInfo(lcRadial).noquote() << "Execute:" << (item ? item->label() : QStringLiteral("<gone>"));
    if (onExecute)
        onExecute(section, position);
    if (onDismiss)
        onDismiss();
    if (!previewMode_ && item && item->action)
        item->action();
}

void RadialBehavior::runMenuAction(const MenuAction& action) {
    qCInfo(lcRadial).noquote() << "Menu action:" << action.title();
    if (!previewMode_ && state_.isOpen())
        send(MenuEvent::focusLost()); // closes without effect; the host hides and lets go
    action.run();
}

void RadialBehavior::stateDidChange(const MenuState& from, const MenuState& to) {
    if (!from.isOpen() && to.isOpen())
        presenter_.bloom();

    std::optional<Index> target;
    if (to.kind() == MenuState::Kind::root)
        target = to.rootHover();
    else if (to.kind() == MenuState::Kind::submenu)
        target = to.submenuSection();
    hoverFeedback(target);

    if (const auto section = to.submenuSection()) {
        if (from.submenuSection() == section)
            highlightFanItem(to.submenuHover());
        else
            openFan(*section,
                    from.submenuSection() ? Presenter::FanChange::swap
                                          : Presenter::FanChange::reveal,
                    to.submenuHover());
    } else if (from.submenuSection()) {
        cancel(previewTask_);
        presenter_.closeFan();
        presenter_.setCore(std::nullopt);
    }
}

void RadialBehavior::openFan(Index section, Presenter::FanChange change,
                             std::optional<Index> hover) {
    currentFanItems_ = content_.items(section);
    presenter_.showFan(section, currentFanItems_, change);
    highlightFanItem(hover);
    presenter_.setCore(section);
}

void RadialBehavior::contentDidChange() {
    const auto section = state_.submenuSection();
    if (!section)
        return;
    currentFanItems_ = content_.items(*section);
    presenter_.showFan(*section, currentFanItems_, Presenter::FanChange::redraw);
    highlightFanItem(state_.submenuHover());
}

void RadialBehavior::restartDwell() {
    cancel(dwellTask_);
    const auto& settings = settings_.settings();
    if (!state_.rootHover() || settings.submenuOpen != SubmenuOpenMode::hover)
        return;
    // Clamped: a hand-edited settings file may hold any number here.
    const auto delay = std::chrono::milliseconds(std::int64_t(settings.clampedHoverDelayMS()));
    dwellTask_ = scheduler_.schedule(delay, [this] {
        dwellTask_.reset();
        send(MenuEvent::hoverDwell());
    });
}

void RadialBehavior::hoverFeedback(std::optional<Index> target) {
    const std::optional<Index> previous = activeWedge_;
    if (target == previous)
        return;
    activeWedge_ = target;
    if (target && !previewMode_ && haptics_ && settings_.settings().hapticsEnabled) {
        // Linux has no system haptic performer; the plug-in tick is the feedback.
        haptics_->tickIfDue();
    }
    presenter_.hoverChanged(previous, target);
}

void RadialBehavior::highlightFanItem(std::optional<Index> item) {
    schedulePreview(item);
    presenter_.highlightFanItem(item);
}

void RadialBehavior::schedulePreview(std::optional<Index> item) {
    cancel(previewTask_);
    if (item && *item >= 0 && *item < Index(currentFanItems_.size()) &&
        currentFanItems_[std::size_t(*item)].preview) {
        const Index position = *item;
        previewTask_ = scheduler_.schedule(previewDelay, [this, position] {
            previewTask_.reset();
            if (state_.submenuSection() && position < Index(currentFanItems_.size()))
                presenter_.showPreview(position);
        });
        return;
    }
    presenter_.hidePreview();
}

void RadialBehavior::resetInteraction() {
    if (state_.isOpen())
        state_ = MenuState::root();
    activeWedge_.reset();
    currentFanItems_.clear();
    cancel(dwellTask_);
    cancel(previewTask_);
    presenter_.closeFan();
    presenter_.setCore(std::nullopt);
}

void RadialBehavior::panelDidHide() {
    cancel(dwellTask_);
    cancel(previewTask_);
    presenter_.hidePreview();
}

} // namespace vellaro
