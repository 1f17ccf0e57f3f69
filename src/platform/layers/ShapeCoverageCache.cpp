#include "platform/layers/ShapeCoverageCache.h"

#include "platform/layers/CoverageRasterizer.h"
#include "platform/layers/CoverageTint.h"
#include "platform/layers/PathHash.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <functional>

namespace vellaro {

namespace {

constexpr std::size_t tintsKept = 3;

std::size_t hashMatrix(const QTransform& m) {
    std::size_t seed = 0;
    for (qreal v : {m.m11(), m.m12(), m.m21(), m.m22(), m.dx(), m.dy()})
        hashCombine(seed, std::hash<double>{}(v));
    return seed;
}

bool sameMatrix(const QTransform& a, const QTransform& b) {
    return a.m11() == b.m11() && a.m12() == b.m12() && a.m21() == b.m21() && a.m22() == b.m22() &&
           a.dx() == b.dx() && a.dy() == b.dy();
}

} // namespace

ShapeCoverageCache::Shape& ShapeCoverageCache::Shape::hashed() {
    std::size_t seed = hashPath(path);
    hashCombine(seed, std::size_t(fillRule));
    hashCombine(seed, std::size_t(filled));
    hashCombine(seed, std::hash<double>{}(strokeWidth));
    hashCombine(seed, std::size_t(cap));
    hashCombine(seed, std::size_t(join));
    for (qreal dash : dashes)
        hashCombine(seed, std::hash<double>{}(dash));
    hash = seed;
    return *this;
}

bool ShapeCoverageCache::Shape::operator==(const Shape& other) const {
    return hash == other.hash && fillRule == other.fillRule && filled == other.filled &&
           strokeWidth == other.strokeWidth && cap == other.cap && join == other.join &&
           dashes == other.dashes && path == other.path;
}

ShapeCoverageCache::Raster::Raster(const Shape& shape, const QTransform& matrix,
                                   const QRect& pixels)
    : matrix_(matrix), pixels_(pixels) {
    const QTransform toPixels = matrix * QTransform::fromTranslate(-pixels.x(), -pixels.y());
    if (shape.filled)
        fillCoverage_ = rasterizeCoverage(shape.path, toPixels, pixels.size(), shape.fillRule);
    if (shape.strokeWidth > 0.0) {
        QPainterPathStroker stroker;
        stroker.setWidth(shape.strokeWidth);
        stroker.setCapStyle(shape.cap);
        stroker.setJoinStyle(shape.join);
        if (!shape.dashes.isEmpty())
            stroker.setDashPattern(shape.dashes);
        strokeCoverage_ = rasterizeCoverage(stroker.createStroke(shape.path), toPixels,
                                            pixels.size(), Qt::WindingFill);
    }
}

const QImage& ShapeCoverageCache::Raster::image(QRgb fill, QRgb stroke) {
    const auto it = std::find_if(tints_.begin(), tints_.end(), [&](const Tint& t) {
        return t.fill == fill && t.stroke == stroke;
    });
    if (it != tints_.end()) {
        std::rotate(tints_.begin(), it, it + 1);
    } else {
        if (tints_.size() >= tintsKept)
            tints_.pop_back();
        tints_.insert(tints_.begin(), Tint{fill, stroke,
                                           tintCoverage(pixels_.size(), fillCoverage_, fill,
                                                        strokeCoverage_, stroke)});
    }
    return tints_.front().image;
}

std::size_t ShapeCoverageCache::Raster::byteCount() const {
    auto bytes = std::size_t(fillCoverage_.sizeInBytes() + strokeCoverage_.sizeInBytes());
    for (const Tint& t : tints_)
        bytes += std::size_t(t.image.sizeInBytes());
    return bytes;
}

void ShapeCoverageCache::Raster::dropOlderTints() {
    if (tints_.size() > 1)
        tints_.erase(tints_.begin() + 1, tints_.end());
}

ShapeCoverageCache& ShapeCoverageCache::shared() {
    static ShapeCoverageCache cache;
    return cache;
}

std::shared_ptr<ShapeCoverageCache::Raster>
ShapeCoverageCache::raster(const Shape& shape, const QTransform& matrix, const QRect& pixels) {
    if (pixels.isEmpty())
        return {};
    std::size_t key = shape.hash;
    hashCombine(key, hashMatrix(matrix));
    std::vector<Entry>& bucket = entries_[key];
    const auto it = std::find_if(bucket.begin(), bucket.end(), [&](const Entry& e) {
        return sameMatrix(e.raster->matrix(), matrix) && e.shape == shape;
    });
    if (it != bucket.end() && it->raster->pixels().contains(pixels)) {
        it->lastUse = ++clock_;
        return it->raster;
    }
    auto raster = std::make_shared<Raster>(shape, matrix, pixels);
    if (it != bucket.end()) {
        *it = Entry{shape, raster, ++clock_};
    } else {
        bucket.push_back(Entry{shape, raster, ++clock_});
    }
    evict();
    return raster;
}

std::size_t ShapeCoverageCache::entryCount() const {
    std::size_t count = 0;
    for (const auto& [key, bucket] : entries_)
        count += bucket.size();
    return count;
}

std::size_t ShapeCoverageCache::byteCount() const {
    std::size_t bytes = 0;
    for (const auto& [key, bucket] : entries_)
        for (const Entry& e : bucket)
            bytes += e.raster->byteCount();
    return bytes;
}

void ShapeCoverageCache::setByteBudget(std::size_t bytes) {
    budget_ = bytes;
    evict();
}

void ShapeCoverageCache::clear() {
    entries_.clear();
}

void ShapeCoverageCache::releaseUnused() {
    for (auto& [key, bucket] : entries_) {
        std::erase_if(bucket, [](const Entry& e) { return e.raster.use_count() == 1; });
        for (Entry& e : bucket)
            e.raster->dropOlderTints();
    }
    std::erase_if(entries_, [](const auto& item) { return item.second.empty(); });
}

// Tints grow after an entry is made, so the total is counted afresh; the
// cache holds a few dozen shapes, so that is cheap next to rasterising one.
void ShapeCoverageCache::evict() {
    std::size_t bytes = byteCount();
    while (bytes > budget_) {
        std::vector<Entry>* oldestBucket = nullptr;
        std::size_t oldestIndex = 0;
        std::uint64_t oldest = ~std::uint64_t{0};
        for (auto& [key, bucket] : entries_) {
            for (std::size_t i = 0; i < bucket.size(); ++i) {
                if (bucket[i].lastUse < oldest) {
                    oldest = bucket[i].lastUse;
                    oldestBucket = &bucket;
                    oldestIndex = i;
                }
            }
        }
        if (!oldestBucket)
            break;
        bytes -= (*oldestBucket)[oldestIndex].raster->byteCount();
        oldestBucket->erase(oldestBucket->begin() + std::ptrdiff_t(oldestIndex));
    }
    std::erase_if(entries_, [](const auto& item) { return item.second.empty(); });
}

} // namespace vellaro
