#pragma once

#include "core/Point.h"

#include <optional>
#include <variant>
#include <vector>

namespace vellaro {

// An outline built from straight lines and circular arcs, kept as the list of
// steps that made it so a renderer can replay it into its own path type.
// Arc angles are in radians measured from the +x axis toward +y (clockwise on
// screen in the y-down plane); a positive sweep turns toward +y.
class Path {
public:
    struct MoveTo {
        Point point;
        friend bool operator==(const MoveTo&, const MoveTo&) = default;
    };
    struct LineTo {
        Point point;
        friend bool operator==(const LineTo&, const LineTo&) = default;
    };
    // Joined to the current point by a straight line when it does not start
    // there (or starts a new subpath when there is none).
    struct Arc {
        Point center;
        double radius = 0;
        double startAngle = 0;
        double sweep = 0;

        Point startPoint() const;
        Point endPoint() const;
        friend bool operator==(const Arc&, const Arc&) = default;
    };
    struct Close {
        friend bool operator==(const Close&, const Close&) = default;
    };
    using Element = std::variant<MoveTo, LineTo, Arc, Close>;

    void moveTo(Point point);
    void lineTo(Point point);
    void arc(Point center, double radius, double startAngle, double sweep);
    void close();

    const std::vector<Element>& elements() const { return elements_; }
    bool isEmpty() const { return elements_.empty(); }
    // Where the next step starts; absent before the first step.
    std::optional<Point> currentPoint() const { return current_; }
    // True when there is at least one subpath and every subpath is closed.
    bool isClosed() const;

    // The outline as polygons, one per subpath, with arcs cut into chords
    // that each turn by at most `maxStep` radians.
    std::vector<std::vector<Point>> flattened(double maxStep = 0.02) const;

    friend bool operator==(const Path&, const Path&) = default;

private:
    std::vector<Element> elements_;
    std::optional<Point> current_;
    std::optional<Point> subpathStart_;
};

} // namespace vellaro
