#include "overlay/FanTextFit.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

namespace vellaro {

namespace {

// Where one row crosses a path's outline, found once for the row so that
// each point on it is a sum over a few crossings. It follows what
// QPainterPath::contains counts under the winding rule: an edge crosses a
// row at y when y lies in [low, high) of the edge, and counts for a point
// at or right of the crossing. Curves are solved to well below the 0.001
// pixel Qt stops at.
class RowCrossings {
public:
    RowCrossings(const QPainterPath& path, double y) : y_(y), bounds_(path.controlPointRect()) {
        if (y < bounds_.top() || y > bounds_.bottom())
            return;
        QPointF start, last;
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            if (e.isMoveTo()) {
                if (i > 0)
                    addLine(last, start); // a subpath closes, as contains closes it
                start = last = e;
            } else if (e.isLineTo()) {
                addLine(last, e);
                last = e;
            } else if (e.isCurveTo()) {
                const QPointF c2 = path.elementAt(i + 1), end = path.elementAt(i + 2);
                addCurve({last, e, c2, end});
                last = end;
                i += 2;
            }
        }
        addLine(last, start);
    }

    bool contains(double x) const {
        if (x < bounds_.left() || x > bounds_.right() || y_ < bounds_.top() ||
            y_ > bounds_.bottom())
            return false;
        int winding = 0;
        for (const Crossing& c : crossings_)
            if (c.x <= x)
                winding += c.direction;
        return winding != 0;
    }

private:
    struct Crossing {
        double x;
        int direction;
    };

    void addLine(QPointF a, QPointF b) {
        if (qFuzzyCompare(a.y(), b.y()))
            return;
        const int direction = b.y() > a.y() ? 1 : -1;
        if (direction < 0)
            std::swap(a, b);
        if (y_ >= a.y() && y_ < b.y())
            crossings_.push_back(
                {a.x() + (b.x() - a.x()) / (b.y() - a.y()) * (y_ - a.y()), direction});
    }

    // A cubic split where its y turns, each monotone piece solved by bisection.
    void addCurve(const std::array<QPointF, 4>& p) {
        const auto at = [&p](double t) {
            const double u = 1 - t;
            return p[0] * (u * u * u) + p[1] * (3 * u * u * t) + p[2] * (3 * u * t * t) +
                   p[3] * (t * t * t);
        };
        // y'(t)/3 = a t^2 + b t + c
        const double d0 = p[1].y() - p[0].y(), d1 = p[2].y() - p[1].y(), d2 = p[3].y() - p[2].y();
        const double a = d0 - 2 * d1 + d2, b = 2 * (d1 - d0), c = d0;
        std::vector<double> cuts{0.0};
        const auto cut = [&cuts](double t) {
            if (t > 0 && t < 1)
                cuts.push_back(t);
        };
        if (std::abs(a) < 1e-12) {
            if (std::abs(b) > 1e-12)
                cut(-c / b);
        } else if (const double disc = b * b - 4 * a * c; disc >= 0) {
            const double root = std::sqrt(disc);
            cut((-b - root) / (2 * a));
            cut((-b + root) / (2 * a));
        }
        std::sort(cuts.begin(), cuts.end());
        cuts.push_back(1.0);
        for (std::size_t k = 0; k + 1 < cuts.size(); ++k) {
            double t0 = cuts[k], t1 = cuts[k + 1];
            const double y0 = at(t0).y(), y1 = at(t1).y();
            if (y0 == y1)
                continue;
            const int direction = y1 > y0 ? 1 : -1;
            if (!(y_ >= std::min(y0, y1) && y_ < std::max(y0, y1)))
                continue;
            for (int step = 0; step < 60; ++step) {
                const double mid = (t0 + t1) / 2;
                if ((at(mid).y() < y_) == (direction > 0))
                    t0 = mid;
                else
                    t1 = mid;
            }
            crossings_.push_back({at((t0 + t1) / 2).x(), direction});
        }
    }

    double y_;
    QRectF bounds_;
    std::vector<Crossing> crossings_;
};

} // namespace

FanTextFit FanTextFit::fit(const QPainterPath& shape, double x, double top, double height,
                           double scale) {
    const double reach = 110.0 * scale;
    const double step = 2.0;
    double minLeft = std::numeric_limits<double>::max();
    double minRight = std::numeric_limits<double>::max();
    for (const double row : {top + 1.0, top + height / 2.0, top + height - 1.0}) {
        const RowCrossings inside(shape, row);
        if (!inside.contains(x))
            return {x, 24.0};
        double left = 0;
        while (left < reach && inside.contains(x - left - step))
            left += step;
        double right = 0;
        while (right < reach && inside.contains(x + right + step))
            right += step;
        minLeft = std::min(minLeft, left);
        minRight = std::min(minRight, right);
    }
    return {x + (minRight - minLeft) / 2.0,
            std::max(minLeft + minRight - 8.0 * scale, 24.0 * scale)};
}

} // namespace vellaro
