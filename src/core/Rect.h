#pragma once

namespace vellaro {

// An axis-aligned rectangle in the dial's plane (y grows downward, so minY is
// the top edge).
struct Rect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;

    double minX() const { return x; }
    double maxX() const { return x + width; }
    double minY() const { return y; }
    double maxY() const { return y + height; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

} // namespace vellaro
