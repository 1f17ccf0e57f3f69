#pragma once

#include "onboarding/HapticsSetupState.h"

#include <QString>
#include <array>

namespace vellaro {

// The checklist's three rows as the state reads them.
namespace HapticsChecklist {

enum class Dot { neutral, done, waiting };
enum class Chip { none, getOptionsPlus, download, test };

struct Row {
    QString title;
    QString detail;
    Dot dot = Dot::neutral;
    Chip chip = Chip::none;

    friend bool operator==(const Row&, const Row&) = default;
};

std::array<Row, 3> rows(const HapticsSetupState& state);
QString chipLabel(Chip chip);

} // namespace HapticsChecklist

} // namespace vellaro
