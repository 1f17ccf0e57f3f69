#include "platform/layers/CoverageRasterizer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vellaro {

namespace {

struct Edge {
    double top, bottom; // top < bottom
    double xAtTop, slope;
    int direction;
};

struct Crossing {
    double x;
    int direction;
};

std::vector<Edge> edgesOf(const QPainterPath& path, const QTransform& toPixels) {
    std::vector<Edge> edges;
    for (const QPolygonF& polygon : path.toSubpathPolygons(toPixels)) {
        const qsizetype n = polygon.size();
        for (qsizetype i = 0; i < n; ++i) {
            QPointF a = polygon[i];
            QPointF b = polygon[(i + 1) % n]; // closes open subpaths, as a fill does
            if (a.y() == b.y() || !std::isfinite(a.x() + a.y() + b.x() + b.y()))
                continue;
            int direction = 1;
            if (a.y() > b.y()) {
                std::swap(a, b);
                direction = -1;
            }
            edges.push_back({a.y(), b.y(), a.x(), (b.x() - a.x()) / (b.y() - a.y()), direction});
        }
    }
    std::sort(edges.begin(), edges.end(),
              [](const Edge& l, const Edge& r) { return l.top < r.top; });
    return edges;
}

// Adds the span [from, to) (pixels, may be fractional) to a row: `area`
// takes the partial pixels, `cover` the run of whole ones as a difference.
void addSpan(double from, double to, int width, std::vector<float>& area, std::vector<float>& cover,
             float weight) {
    from = std::clamp(from, 0.0, double(width));
    to = std::clamp(to, 0.0, double(width));
    if (to <= from)
        return;
    const int first = int(from), last = int(to);
    if (first == last) {
        area[first] += float(to - from) * weight;
        return;
    }
    area[first] += float(first + 1 - from) * weight;
    cover[first + 1] += weight;
    cover[last] -= weight;
    if (last < width)
        area[last] += float(to - last) * weight;
}

// Exact-area coverage by signed accumulation: every edge adds the area to
// its right, row by row, into cells whose running sum along the row is the
// winding number, box-filtered. Coverage is |winding| clamped to 1, which is
// the non-zero rule (up to pixels where regions of opposite winding meet).
// Cells are fixed point, so the running sum does not drift.
class Accumulator {
public:
    Accumulator(int width, int height)
        : width_(width), height_(height), stride_(std::size_t(width) + 2),
          cells_(cellsFor(stride_ * std::size_t(height))),
          spans_(std::size_t(height), Span{int(stride_), -1}) {}

    void addLine(QPointF from, QPointF to) {
        if (from.y() == to.y() || !std::isfinite(from.x() + from.y() + to.x() + to.y()))
            return;
        double direction = 1.0;
        if (from.y() > to.y()) {
            std::swap(from, to);
            direction = -1.0;
        }
        const double dxdy = (to.x() - from.x()) / (to.y() - from.y());
        const double top = std::max(from.y(), 0.0);
        const double bottom = std::min(to.y(), double(height_));
        if (top >= bottom)
            return;
        double x = from.x() + (top - from.y()) * dxdy;
        for (int y = int(top); y < height_ && y < bottom; ++y) {
            const double dy = std::min(double(y + 1), bottom) - std::max(double(y), top);
            const double xNext = x + dxdy * dy;
            addRowSpan(y, std::clamp(x, 0.0, double(width_)),
                       std::clamp(xNext, 0.0, double(width_)), dy * direction);
            x = xNext;
        }
    }

    // Writes every row of `mask` (which starts cleared) and leaves the cells
    // cleared for the next shape: only the cells an edge touched are read.
    void write(QImage& mask) {
        for (int y = 0; y < height_; ++y) {
            const Span span = spans_[std::size_t(y)];
            if (span.last < span.first)
                continue;
            std::int32_t* cell = cells_ + std::size_t(y) * stride_;
            const int end = std::min(span.last + 1, width_);
            // The running sum in place first, so that the conversion after it
            // has no chain from pixel to pixel and runs several at a time.
            std::int32_t sum = 0;
            for (int x = span.first; x < end; ++x)
                cell[x] = sum += cell[x];
            toLevels(cell + span.first, mask.scanLine(y) + span.first, end - span.first);
            std::fill(cell + span.first, cell + span.last + 1, 0);
        }
    }

private:
    static constexpr int kShift = 16;
    static constexpr std::int32_t kOne = 1 << kShift;

    // Cells are kept between shapes, cleared, so that each shape need not
    // clear (or allocate) a whole buffer; a rare huge shape gets its own.
    std::int32_t* cellsFor(std::size_t count) {
        constexpr std::size_t kept = std::size_t(2048) * 2048;
        if (count > kept) {
            own_.assign(count, 0);
            return own_.data();
        }
        thread_local std::vector<std::int32_t> cells;
        if (cells.size() < count)
            cells.assign(count, 0);
        return cells.data();
    }

    // |winding| clamped to one, to 8 bits; level * 255 as a shift and a
    // subtraction, which vectorise where a 32-bit multiply does not.
    static void toLevels(const std::int32_t* __restrict winding, uchar* __restrict out, int count) {
        for (int x = 0; x < count; ++x) {
            const std::int32_t level = std::min(std::abs(winding[x]), kOne);
            out[x] = uchar(((level << 8) - level + kOne / 2) >> kShift);
        }
    }

    // Rounds half away from zero, as lround does, without the library call.
    static std::int32_t fixed(double area) {
        const double v = area * kOne;
        return std::int32_t(v < 0 ? v - 0.5 : v + 0.5);
    }

    // The part of an edge inside one pixel row, from x0 to x1, `d` high (signed).
    void addRowSpan(int y, double x0, double x1, double d) {
        std::int32_t* row = cells_ + std::size_t(y) * stride_;
        if (x0 > x1)
            std::swap(x0, x1);
        const double x0Floor = std::floor(x0);
        const int i0 = int(x0Floor);
        const int i1 = int(std::ceil(x1));
        // Each cell gets the change of coverage from the cell before; the
        // parts add up to d, so the row sums back to zero past the edge.
        std::int32_t given = 0;
        int remainderAt = i0 + 1;
        const auto add = [&](int i, double area) {
            const std::int32_t v = fixed(area);
            row[i] += v;
            given += v;
        };
        if (i1 <= i0 + 1) {
            const double middle = 0.5 * (x0 + x1) - x0Floor;
            add(i0, d * (1.0 - middle));
        } else {
            const double s = 1.0 / (x1 - x0);
            const double x0f = x0 - x0Floor;
            const double a0 = 0.5 * s * (1.0 - x0f) * (1.0 - x0f);
            const double x1f = x1 - i1 + 1.0;
            const double am = 0.5 * s * x1f * x1f;
            add(i0, d * a0);
            if (i1 == i0 + 2) {
                add(i0 + 1, d * (1.0 - a0 - am));
            } else {
                const double a1 = s * (1.5 - x0f);
                add(i0 + 1, d * (a1 - a0));
                for (int i = i0 + 2; i < i1 - 1; ++i)
                    add(i, d * s);
                const double a2 = a1 + (i1 - i0 - 3) * s;
                add(i1 - 1, d * (1.0 - a2 - am));
            }
            remainderAt = i1;
        }
        row[remainderAt] += fixed(d) - given;
        Span& span = spans_[std::size_t(y)];
        span.first = std::min(span.first, i0);
        span.last = std::max(span.last, remainderAt);
    }

    // The cells of a row that edges touched.
    struct Span {
        int first, last;
    };

    int width_, height_;
    std::size_t stride_;
    std::vector<std::int32_t> own_;
    std::int32_t* cells_;
    std::vector<Span> spans_;
};

} // namespace

QImage rasterizeCoverage(const QPainterPath& path, const QTransform& toPixels, QSize size,
                         Qt::FillRule rule, int rowSamples) {
    QImage mask(size, QImage::Format_Alpha8);
    if (mask.isNull())
        return mask;
    mask.fill(0);
    if (rule == Qt::WindingFill) {
        Accumulator accumulator(size.width(), size.height());
        for (const QPolygonF& polygon : path.toSubpathPolygons(toPixels)) {
            for (qsizetype i = 0; i < polygon.size(); ++i)
                accumulator.addLine(polygon[i], polygon[(i + 1) % polygon.size()]);
        }
        accumulator.write(mask);
        return mask;
    }
    const std::vector<Edge> edges = edgesOf(path, toPixels);
    if (edges.empty())
        return mask;
    rowSamples = std::max(rowSamples, 1);
    const int width = size.width();
    const float weight = 1.0f / float(rowSamples);
    std::vector<float> area(std::size_t(width) + 1, 0.0f), cover(std::size_t(width) + 2, 0.0f);
    std::vector<const Edge*> active;
    std::vector<Crossing> crossings;
    std::size_t next = 0;

    const int firstRow = std::max(0, int(std::floor(edges.front().top)));
    for (int y = firstRow; y < size.height(); ++y) {
        bool touched = false;
        for (int s = 0; s < rowSamples; ++s) {
            const double sampleY = y + (s + 0.5) / rowSamples;
            while (next < edges.size() && edges[next].top <= sampleY)
                active.push_back(&edges[next++]);
            std::erase_if(active, [sampleY](const Edge* e) { return e->bottom <= sampleY; });
            if (active.empty())
                continue;
            crossings.clear();
            for (const Edge* e : active) {
                if (e->top <= sampleY)
                    crossings.push_back({e->xAtTop + (sampleY - e->top) * e->slope, e->direction});
            }
            std::sort(crossings.begin(), crossings.end(),
                      [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
            int winding = 0;
            for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
                winding += crossings[i].direction;
                const bool inside = rule == Qt::WindingFill ? winding != 0 : (winding & 1) != 0;
                if (inside) {
                    addSpan(crossings[i].x, crossings[i + 1].x, width, area, cover, weight);
                    touched = true;
                }
            }
        }
        if (touched) {
            uchar* row = mask.scanLine(y);
            float running = 0.0f;
            for (int x = 0; x < width; ++x) {
                running += cover[x];
                const float value = std::clamp(running + area[x], 0.0f, 1.0f);
                row[x] = uchar(value * 255.0f + 0.5f);
            }
            std::fill(area.begin(), area.end(), 0.0f);
            std::fill(cover.begin(), cover.end(), 0.0f);
        }
        if (next == edges.size() && active.empty())
            break;
    }
    return mask;
}

} // namespace vellaro
