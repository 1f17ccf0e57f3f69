#include "core/MenuMachine.h"

namespace vellaro::MenuMachine {

namespace {

// A transition that only shows a state; `to(state)` keeps it unchanged.
Transition to(const MenuState& state) {
    return {state, MenuEffect::none()};
}
Transition dismiss() {
    return {MenuState::closed(), MenuEffect::dismiss()};
}
Transition execute(std::int64_t section, std::int64_t item) {
    return {MenuState::closed(), MenuEffect::execute(section, item)};
}

Transition fromClosed(const MenuEvent& event) {
    if (event.kind() == MenuEvent::Kind::open)
        return to(MenuState::root());
    return to(MenuState::closed());
}

Transition fromRoot(const MenuState& state, const MenuEvent& event,
                    const MenuConfiguration& configuration) {
    const auto hover = state.rootHover();
    const RadialHit hit = event.hit();
    switch (event.kind()) {
    case MenuEvent::Kind::pointerMoved:
        if (hit.kind() == RadialHit::Kind::wedge)
            return to(MenuState::root(hit.index()));
        return to(MenuState::root());
    case MenuEvent::Kind::primaryAction:
        switch (hit.kind()) {
        case RadialHit::Kind::wedge:
            return to(MenuState::submenu(hit.index()));
        case RadialHit::Kind::fanItem:
        case RadialHit::Kind::gap:
            return to(state);
        case RadialHit::Kind::core:
        case RadialHit::Kind::outside:
            return dismiss();
        }
        return to(state);
    case MenuEvent::Kind::rotate: {
        const auto next = wrap(hover, event.step(), configuration.sectionCount);
        return next ? to(MenuState::root(next)) : to(state);
    }
    case MenuEvent::Kind::open:
        return to(state);
    case MenuEvent::Kind::hoverDwell:
    case MenuEvent::Kind::confirm:
        return hover ? to(MenuState::submenu(*hover)) : to(state);
    case MenuEvent::Kind::triggerReleased:
        return hover ? to(MenuState::submenu(*hover)) : dismiss();
    case MenuEvent::Kind::escape:
    case MenuEvent::Kind::focusLost:
        return dismiss();
    }
    return to(state);
}

Transition fromSubmenu(const MenuState& state, const MenuEvent& event,
                       const MenuConfiguration& configuration) {
    const std::int64_t section = *state.submenuSection();
    const auto hover = state.submenuHover();
    const RadialHit hit = event.hit();
    switch (event.kind()) {
    case MenuEvent::Kind::pointerMoved:
        switch (hit.kind()) {
        case RadialHit::Kind::wedge:
            return to(MenuState::submenu(hit.index()));
        case RadialHit::Kind::fanItem:
            return to(MenuState::submenu(section, hit.index()));
        case RadialHit::Kind::core:
        case RadialHit::Kind::gap:
        case RadialHit::Kind::outside:
            return to(MenuState::submenu(section));
        }
        return to(state);
    case MenuEvent::Kind::primaryAction:
        switch (hit.kind()) {
        case RadialHit::Kind::wedge:
            return to(MenuState::submenu(hit.index()));
        case RadialHit::Kind::fanItem:
            return execute(section, hit.index());
        case RadialHit::Kind::core:
            return to(MenuState::root());
        case RadialHit::Kind::gap:
            return to(state);
        case RadialHit::Kind::outside:
            return dismiss();
        }
        return to(state);
    case MenuEvent::Kind::rotate: {
        // A section the configuration does not hold has no items to step through.
        if (!configuration.hasSection(section))
            return to(state);
        const auto next = wrap(hover, event.step(), configuration.itemCount(section));
        return next ? to(MenuState::submenu(section, next)) : to(state);
    }
    case MenuEvent::Kind::open:
    case MenuEvent::Kind::hoverDwell:
        return to(state);
    case MenuEvent::Kind::triggerReleased:
    case MenuEvent::Kind::confirm:
        return hover ? execute(section, *hover) : to(state);
    case MenuEvent::Kind::escape:
        return to(MenuState::root());
    case MenuEvent::Kind::focusLost:
        return dismiss();
    }
    return to(state);
}

} // namespace

std::optional<std::int64_t> wrap(std::optional<std::int64_t> current, std::int64_t step,
                                 std::int64_t count) {
    if (count < 1)
        return std::nullopt;
    if (!current)
        return step < 0 ? count - 1 : 0;
    // Reducing both terms first keeps the sum far from overflow whatever the
    // step; the result is the same as reducing (current + step).
    const std::int64_t sum = *current % count + step % count;
    return (sum % count + count) % count;
}

Transition transition(const MenuState& state, const MenuEvent& event,
                      const MenuConfiguration& configuration) {
    switch (state.kind()) {
    case MenuState::Kind::closed:
        return fromClosed(event);
    case MenuState::Kind::root:
        return fromRoot(state, event, configuration);
    case MenuState::Kind::submenu:
        return fromSubmenu(state, event, configuration);
    }
    return to(state);
}

} // namespace vellaro::MenuMachine
