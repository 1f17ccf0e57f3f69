#include "core/Path.h"

#include <cmath>

namespace vellaro {

namespace {

Point onCircle(Point center, double radius, double angle) {
    return {center.x + radius * std::cos(angle), center.y + radius * std::sin(angle)};
}

// Bounded so that a huge or non-finite sweep cannot exhaust memory.
int chordCount(double sweep, double maxStep) {
    const double chords = std::ceil(std::abs(sweep) / maxStep);
    if (!(chords >= 1))
        return 1;
    return chords > 100000 ? 100000 : static_cast<int>(chords);
}

} // namespace

Point Path::Arc::startPoint() const {
    return onCircle(center, radius, startAngle);
}
Point Path::Arc::endPoint() const {
    return onCircle(center, radius, startAngle + sweep);
}

void Path::moveTo(Point point) {
    elements_.push_back(MoveTo{point});
    current_ = point;
    subpathStart_ = point;
}

void Path::lineTo(Point point) {
    if (!subpathStart_)
        moveTo(current_.value_or(point));
    elements_.push_back(LineTo{point});
    current_ = point;
}

void Path::arc(Point center, double radius, double startAngle, double sweep) {
    const Arc step{center, radius, startAngle, sweep};
    if (!subpathStart_)
        moveTo(current_.value_or(step.startPoint()));
    elements_.push_back(step);
    current_ = step.endPoint();
}

void Path::close() {
    if (!subpathStart_)
        return;
    elements_.push_back(Close{});
    current_ = subpathStart_;
    subpathStart_.reset();
}

bool Path::isClosed() const {
    return !elements_.empty() && !subpathStart_;
}

std::vector<std::vector<Point>> Path::flattened(double maxStep) const {
    if (!(maxStep > 0))
        maxStep = 0.02;
    std::vector<std::vector<Point>> polygons;
    std::vector<Point> polygon;
    auto finish = [&] {
        if (!polygon.empty())
            polygons.push_back(std::move(polygon));
        polygon.clear();
    };
    for (const Element& element : elements_) {
        if (const auto* move = std::get_if<MoveTo>(&element)) {
            finish();
            polygon.push_back(move->point);
        } else if (const auto* line = std::get_if<LineTo>(&element)) {
            polygon.push_back(line->point);
        } else if (const auto* arc = std::get_if<Arc>(&element)) {
            const int chords = chordCount(arc->sweep, maxStep);
            for (int i = 0; i <= chords; ++i)
                polygon.push_back(
                    onCircle(arc->center, arc->radius, arc->startAngle + arc->sweep * i / chords));
        } else {
            finish();
        }
    }
    finish();
    return polygons;
}

} // namespace vellaro
