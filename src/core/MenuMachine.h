#pragma once

#include "core/MenuConfiguration.h"
#include "core/MenuEffect.h"
#include "core/MenuEvent.h"
#include "core/MenuState.h"

#include <cstdint>
#include <optional>

namespace vellaro {

// The dial's whole interaction logic: a pure function from (state, event,
// configuration) to (next state, effect). No clock, no settings, no
// allocation; the same inputs always give the same result.
namespace MenuMachine {

struct Transition {
    MenuState state;
    MenuEffect effect;

    friend bool operator==(const Transition&, const Transition&) = default;
};

// Total over every input: an index the configuration does not hold, a
// section count of 0 or a step of any size never stops the program.
Transition transition(const MenuState& state, const MenuEvent& event,
                      const MenuConfiguration& configuration);

// The index `step` places away from `current` on a ring of `count`; from no
// index, a negative step lands on the last and any other on the first.
// Absent when count < 1, where there is nothing to land on.
std::optional<std::int64_t> wrap(std::optional<std::int64_t> current, std::int64_t step,
                                 std::int64_t count);

} // namespace MenuMachine
} // namespace vellaro
