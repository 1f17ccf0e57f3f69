#pragma once

// Readable failure messages for the core's value types.

#include "core/MenuEffect.h"
#include "core/MenuEvent.h"
#include "core/MenuState.h"
#include "core/Point.h"
#include "core/RadialHit.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

namespace vellaro {

inline std::string describe(const std::optional<std::int64_t>& index) {
    return index ? std::to_string(*index) : "-";
}

inline void PrintTo(const RadialHit& hit, std::ostream* out) {
    static const char* const names[] = {"wedge", "fanItem", "core", "gap", "outside"};
    *out << names[static_cast<int>(hit.kind())];
    if (hit.kind() == RadialHit::Kind::wedge || hit.kind() == RadialHit::Kind::fanItem)
        *out << "(" << hit.index() << ")";
}

inline void PrintTo(const MenuState& state, std::ostream* out) {
    switch (state.kind()) {
    case MenuState::Kind::root:
        *out << "root(hover: " << describe(state.rootHover()) << ")";
        break;
    case MenuState::Kind::submenu:
        *out << "submenu(" << *state.submenuSection()
             << ", hover: " << describe(state.submenuHover()) << ")";
        break;
    case MenuState::Kind::closed:
        *out << "closed";
        break;
    }
}

inline void PrintTo(const MenuEvent& event, std::ostream* out) {
    static const char* const names[] = {"pointerMoved", "primaryAction", "rotate",
                                        "open",         "hoverDwell",    "triggerReleased",
                                        "confirm",      "escape",        "focusLost"};
    *out << names[static_cast<int>(event.kind())];
    if (event.kind() == MenuEvent::Kind::pointerMoved ||
        event.kind() == MenuEvent::Kind::primaryAction) {
        *out << "(";
        PrintTo(event.hit(), out);
        *out << ")";
    } else if (event.kind() == MenuEvent::Kind::rotate) {
        *out << "(" << event.step() << ")";
    }
}

inline void PrintTo(const MenuEffect& effect, std::ostream* out) {
    switch (effect.kind()) {
    case MenuEffect::Kind::execute:
        *out << "execute(" << effect.section() << ", " << effect.item() << ")";
        break;
    case MenuEffect::Kind::none:
        *out << "none";
        break;
    case MenuEffect::Kind::dismiss:
        *out << "dismiss";
        break;
    }
}

inline void PrintTo(const Point& point, std::ostream* out) {
    *out << "(" << point.x << ", " << point.y << ")";
}

} // namespace vellaro
