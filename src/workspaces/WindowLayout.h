#pragma once

#include <QString>
#include <array>

namespace vellaro {

enum class WindowLayout { leftHalf, rightHalf, maximize, center };

struct WindowLayoutEntry {
    WindowLayout layout;
    const char* label;
    const char* symbol;
};

// The snap layouts in the order the windows section offers them.
inline constexpr std::array<WindowLayoutEntry, 4> windowLayouts{{
    {WindowLayout::leftHalf, "Left Half", "rectangle.lefthalf.inset.filled"},
    {WindowLayout::rightHalf, "Right Half", "rectangle.righthalf.inset.filled"},
    {WindowLayout::maximize, "Maximize", "rectangle.inset.filled"},
    {WindowLayout::center, "Center", "rectangle.center.inset.filled"},
}};

QString windowLayoutLabel(WindowLayout layout);

} // namespace vellaro
