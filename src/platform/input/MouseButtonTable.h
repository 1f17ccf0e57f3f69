#pragma once

#include <optional>

namespace vellaro {

// The mouse trigger is stored as a Core Graphics button number (0 left,
// 1 right, 2 middle, 3 back, 4 forward, ...). X numbers buttons 1 left,
// 2 middle, 3 right, 4-7 the wheel, 8 back, 9 forward, ...
class MouseButtonTable {
public:
    // Lowest and highest Core Graphics button the trigger may use.
    static constexpr int firstTriggerButton = 2;
    static constexpr int lastTriggerButton = 31;

    // The X button of a trigger button; empty outside 2...31 (left and right
    // never trigger).
    static std::optional<int> xButtonForCgButton(int cgButton);

    // The trigger button an X button press stands for; empty for left, right,
    // the wheel and anything beyond the trigger range.
    static std::optional<int> cgButtonForXButton(int xButton);
};

} // namespace vellaro
