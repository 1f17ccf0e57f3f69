#pragma once

namespace vellaro {

// A point (or vector) in the dial's plane, whose y axis grows downward.
struct Point {
    double x = 0;
    double y = 0;

    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, double f) { return {a.x * f, a.y * f}; }
    friend bool operator==(const Point&, const Point&) = default;
};

} // namespace vellaro
