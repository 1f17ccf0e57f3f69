#pragma once

#include "core/RadialHit.h"

#include <cstdint>

namespace vellaro {

// One input of the dial, as the view translates it for the state machine.
class MenuEvent {
public:
    enum class Kind {
        pointerMoved,
        primaryAction,
        rotate,
        open,
        hoverDwell,
        triggerReleased,
        confirm,
        escape,
        focusLost,
    };

    static MenuEvent pointerMoved(RadialHit hit) { return {Kind::pointerMoved, hit, 0}; }
    static MenuEvent primaryAction(RadialHit hit) { return {Kind::primaryAction, hit, 0}; }
    // Right and down give +1, left and up give -1.
    static MenuEvent rotate(std::int64_t step) {
        return {Kind::rotate, RadialHit::outside(), step};
    }
    static MenuEvent open() { return plain(Kind::open); }
    static MenuEvent hoverDwell() { return plain(Kind::hoverDwell); }
    static MenuEvent triggerReleased() { return plain(Kind::triggerReleased); }
    static MenuEvent confirm() { return plain(Kind::confirm); }
    static MenuEvent escape() { return plain(Kind::escape); }
    static MenuEvent focusLost() { return plain(Kind::focusLost); }

    Kind kind() const { return kind_; }
    // The hit of pointerMoved and primaryAction; `outside` for the other kinds.
    RadialHit hit() const { return hit_; }
    // The step of rotate; 0 for the other kinds.
    std::int64_t step() const { return step_; }

    friend bool operator==(const MenuEvent&, const MenuEvent&) = default;

private:
    MenuEvent(Kind kind, RadialHit hit, std::int64_t step) : kind_(kind), hit_(hit), step_(step) {}
    static MenuEvent plain(Kind kind) { return {kind, RadialHit::outside(), 0}; }

    Kind kind_;
    RadialHit hit_;
    std::int64_t step_;
};

} // namespace vellaro
