#pragma once

#include "model/SectionKind.h"

#include <QString>
#include <optional>

namespace vellaro {

struct VellaroSettings;

// Where a section sits on the dial as the dial shows it, and whether it may
// leave: a removal drops every occurrence, and at least two sections stay.
struct SectionPlacement {
    static constexpr int minimumRemaining = 2;

    std::optional<int> position; // 1-based first occurrence; none when not on the dial
    int count = 0;               // sections on the dial
    int remainingAfterRemoval = 0;

    static SectionPlacement of(SectionKind kind, const VellaroSettings& settings);

    bool onDial() const { return position.has_value(); }
    bool canRemove() const { return onDial() && remainingAfterRemoval >= minimumRemaining; }
    // "Position 5 of 6 · clockwise from 12", or "Not on the dial".
    QString caption() const;
};

} // namespace vellaro
