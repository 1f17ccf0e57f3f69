#include "platform/layers/ShadowCache.h"

#include "platform/layers/AlignedImage.h"
#include "platform/layers/CoverageRasterizer.h"
#include "platform/layers/CoverageTint.h"
#include "platform/layers/PathHash.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>

namespace vellaro {

namespace {

// Half width of each of the three boxes for a Gaussian of sigma (pixels):
// three boxes of width w have variance 3 (w^2 - 1) / 12.
int boxHalfWidth(double sigma) {
    const double width = std::sqrt(4.0 * sigma * sigma + 1.0);
    return std::max(0, static_cast<int>(std::lround((width - 1.0) / 2.0)));
}

double quantizedRadius(double radius) {
    return std::round(std::clamp(std::isfinite(radius) ? radius : 0.0, 0.0, 200.0) * 4.0) / 4.0;
}

std::size_t hashShadow(const QPainterPath& path, double radius, qreal pixelRatio) {
    return hashPath(path, std::hash<double>{}(radius) ^ (std::hash<double>{}(pixelRatio) << 1));
}

// One box pass along each row, src -> dst, with zeros beyond the edges. The
// window enters, slides, and leaves the row in three loops without tests.
void boxPassRows(const uchar* src, uchar* dst, int width, int height, qsizetype stride, int half) {
    const std::uint32_t scale = (1u << 16) / static_cast<std::uint32_t>(2 * half + 1);
    const auto scaled = [scale](std::uint32_t sum) {
        return static_cast<uchar>((sum * scale + (1u << 15)) >> 16);
    };
    // x + half + 1 < width adds; x - half >= 0 removes.
    const int addsUntil = std::max(0, width - half - 1);
    for (int y = 0; y < height; ++y) {
        const uchar* in = src + y * stride;
        uchar* out = dst + y * stride;
        std::uint32_t sum = 0;
        for (int x = 0; x <= std::min(half, width - 1); ++x)
            sum += in[x];
        int x = 0;
        for (; x < std::min(half, addsUntil); ++x) {
            out[x] = scaled(sum);
            sum += in[x + half + 1];
        }
        for (; x < addsUntil; ++x) {
            out[x] = scaled(sum);
            sum += in[x + half + 1];
            sum -= in[x - half];
        }
        for (; x < width; ++x) {
            out[x] = scaled(sum);
            if (x - half >= 0)
                sum -= in[x - half];
        }
    }
}

// Adds (sign 1) or takes (sign -1) a row of `in` to the column sums; two
// loops without a multiply, so that each vectorises.
void addRow(std::uint32_t* __restrict sum, const uchar* __restrict in, int width, int sign) {
    if (sign > 0) {
        for (int x = 0; x < width; ++x)
            sum[x] += in[x];
    } else {
        for (int x = 0; x < width; ++x)
            sum[x] -= in[x];
    }
}

// (sum * scale + 2^15) >> 16 in single floats, exact: sum * scale is at most
// 255 * 2^16, so every value is an integer below 2^24.
void writeRow(uchar* __restrict out, const std::uint32_t* __restrict sum, int width,
              std::uint32_t scale) {
    const float factor = float(scale);
    for (int x = 0; x < width; ++x)
        out[x] = static_cast<uchar>(
            int((float(std::int32_t(sum[x])) * factor + 32768.0f) * (1.0f / 65536.0f)));
}

// The same down each column, a row at a time so that memory is read in order.
void boxPassColumns(const uchar* src, uchar* dst, int width, int height, qsizetype stride, int half,
                    std::vector<std::uint32_t>& sums) {
    const std::uint32_t scale = (1u << 16) / static_cast<std::uint32_t>(2 * half + 1);
    sums.assign(static_cast<std::size_t>(width), 0);
    std::uint32_t* sum = sums.data();
    for (int y = 0; y <= std::min(half, height - 1); ++y)
        addRow(sum, src + y * stride, width, 1);
    for (int y = 0; y < height; ++y) {
        writeRow(dst + y * stride, sum, width, scale);
        if (y + half + 1 < height)
            addRow(sum, src + (y + half + 1) * stride, width, 1);
        if (y - half >= 0)
            addRow(sum, src + (y - half) * stride, width, -1);
    }
}

void boxBlur(QImage& mask, int half) {
    if (half <= 0)
        return;
    QImage work(mask.size(), QImage::Format_Alpha8);
    const qsizetype stride = mask.bytesPerLine();
    Q_ASSERT(work.bytesPerLine() == stride);
    std::vector<std::uint32_t> sums;
    for (int pass = 0; pass < 3; ++pass) {
        boxPassRows(mask.constBits(), work.bits(), mask.width(), mask.height(), stride, half);
        std::swap(mask, work);
    }
    for (int pass = 0; pass < 3; ++pass) {
        boxPassColumns(mask.constBits(), work.bits(), mask.width(), mask.height(), stride, half,
                       sums);
        std::swap(mask, work);
    }
}

// out = a and b mixed by weight (of b, out of 256), back to 8 bits. The
// pointers never overlap; saying so lets the compiler vectorise the loop.
// In single floats, which vectorise where 32-bit integer products do not:
// every value stays an integer below 2^24, so each step is exact and the
// result is the integer formula's, (a wa + b wb + 2^15) >> 16.
void blendRows(const std::uint16_t* __restrict a, const std::uint16_t* __restrict b, int weight,
               uchar* __restrict out, int width) {
    const float wa = float(256 - weight), wb = float(weight);
    for (int x = 0; x < width; ++x)
        out[x] = uchar(int((float(a[x]) * wa + float(b[x]) * wb + 32768.0f) * (1.0f / 65536.0f)));
}

// Bilinear enlargement of a coverage mask by a whole factor, to `size`.
QImage enlarge(const QImage& small, int factor, QSize size) {
    if (factor == 1)
        return small;
    struct Tap {
        int index;
        int weight; // of index + 1, out of 256
    };
    const auto taps = [factor](int count, int limit) {
        std::vector<Tap> out(std::size_t(count), Tap{0, 0});
        for (int i = 0; i < count; ++i) {
            const double u = (i + 0.5) / factor - 0.5;
            const int index = std::clamp(int(std::floor(u)), 0, limit - 1);
            const double weight = std::clamp(u - index, 0.0, 1.0);
            out[std::size_t(i)] = {index, index + 1 < limit ? int(weight * 256) : 0};
        }
        return out;
    };
    const std::vector<Tap> across = taps(size.width(), small.width());
    const std::vector<Tap> down = taps(size.height(), small.height());
    // Rows widened first (16-bit, so the second pass keeps the precision).
    std::vector<std::uint16_t> wide(std::size_t(small.height()) * std::size_t(size.width()));
    for (int y = 0; y < small.height(); ++y) {
        const uchar* in = small.constScanLine(y);
        std::uint16_t* out = wide.data() + std::size_t(y) * std::size_t(size.width());
        for (int x = 0; x < size.width(); ++x) {
            const Tap t = across[std::size_t(x)];
            const int a = in[t.index], b = t.weight ? in[t.index + 1] : 0;
            out[x] = std::uint16_t(a * (256 - t.weight) + b * t.weight);
        }
    }
    QImage large(size, QImage::Format_Alpha8);
    for (int y = 0; y < size.height(); ++y) {
        const Tap t = down[std::size_t(y)];
        const std::uint16_t* a = wide.data() + std::size_t(t.index) * std::size_t(size.width());
        blendRows(a, t.weight ? a + size.width() : a, t.weight, large.scanLine(y), size.width());
    }
    return large;
}

} // namespace

double ShadowCache::reach(double radius) {
    return std::max(radius, 0.0) * 1.5 + 1.0;
}

ShadowCache::Entry ShadowCache::makeEntry(const QPainterPath& path, double radius,
                                          qreal pixelRatio) const {
    Entry entry{path, radius, pixelRatio, {}, {}, {}, 0, 0};
    // A wide blur has no fine detail: make it at a fraction of the resolution
    // (keeping sigma at least 2.5 pixels there) and enlarge the result.
    const double sigma = radius / 2.0 * pixelRatio;
    const int factor = std::clamp(int(sigma / 2.5), 1, 4);
    const double scale = pixelRatio / factor;
    const int half = boxHalfWidth(sigma / factor);
    const int pad = 3 * half + 1;
    const QRectF shape = path.controlPointRect();
    const std::optional<QRect> covered =
        coveringPixels(QRectF(shape.topLeft() * scale, shape.size() * scale), 4096 / factor);
    if (!covered)
        return entry; // no mask: no shadow
    const QRect pixels = covered->adjusted(-pad, -pad, pad, pad);
    QImage mask = rasterizeCoverage(path,
                                    QTransform::fromScale(scale, scale) *
                                        QTransform::fromTranslate(-pixels.x(), -pixels.y()),
                                    pixels.size(), Qt::WindingFill, half > 0 ? 4 : 16);
    boxBlur(mask, half);
    entry.mask = enlarge(mask, factor, pixels.size() * factor);
    entry.rect = QRectF(QPointF(pixels.topLeft()) / scale, QSizeF(pixels.size()) / scale);
    return entry;
}

ShadowCache::Shadow ShadowCache::shadow(const QPainterPath& path, double radius, qreal pixelRatio,
                                        const QColor& color) {
    if (path.isEmpty() || !std::isfinite(pixelRatio) || pixelRatio <= 0)
        return {};
    radius = quantizedRadius(radius);
    auto& bucket = entries_[hashShadow(path, radius, pixelRatio)];
    auto it = std::find_if(bucket.begin(), bucket.end(), [&](const auto& e) {
        return e->radius == radius && e->pixelRatio == pixelRatio && e->path == path;
    });
    if (it == bucket.end()) {
        bucket.push_back(std::make_unique<Entry>(makeEntry(path, radius, pixelRatio)));
        it = std::prev(bucket.end());
        bytes_ += sizeOf(**it);
    }
    Entry& entry = **it;
    entry.lastUse = ++clock_;
    const auto keepWithinBudget = [this, &entry] {
        if (bytes_ <= budget_)
            return;
        // Entries live on the heap, so evicting others leaves this one in place.
        entry.lastUse = ~std::uint64_t{0};
        evict();
        entry.lastUse = clock_;
    };
    if (entry.mask.isNull()) {
        keepWithinBudget();
        return {};
    }
    const QRgb rgba = color.rgba();
    if (entry.tinted.isNull() || entry.tint != rgba) {
        bytes_ -= sizeOf(entry);
        entry.tinted = tintCoverage(entry.mask.size(), entry.mask, color.rgba());
        entry.tint = rgba;
        bytes_ += sizeOf(entry);
    }
    keepWithinBudget();
    return {&entry.tinted, entry.rect};
}

std::size_t ShadowCache::sizeOf(const Entry& entry) {
    // The entry and its path count too: one without a mask (a shape too large
    // to blur) must still be evicted in its turn.
    const auto path =
        static_cast<std::size_t>(entry.path.elementCount()) * sizeof(QPainterPath::Element);
    return sizeof(Entry) + path +
           static_cast<std::size_t>(entry.mask.sizeInBytes() + entry.tinted.sizeInBytes());
}

void ShadowCache::evict() {
    while (bytes_ > budget_ * 3 / 4) {
        std::vector<std::unique_ptr<Entry>>* oldestBucket = nullptr;
        std::size_t oldestIndex = 0;
        std::uint64_t oldest = ~std::uint64_t{0};
        for (auto& [hash, bucket] : entries_) {
            for (std::size_t i = 0; i < bucket.size(); ++i) {
                if (bucket[i]->lastUse < oldest) {
                    oldest = bucket[i]->lastUse;
                    oldestBucket = &bucket;
                    oldestIndex = i;
                }
            }
        }
        if (!oldestBucket)
            return;
        bytes_ -= sizeOf(*(*oldestBucket)[oldestIndex]);
        oldestBucket->erase(oldestBucket->begin() + static_cast<std::ptrdiff_t>(oldestIndex));
    }
    std::erase_if(entries_, [](const auto& item) { return item.second.empty(); });
}

std::size_t ShadowCache::entryCount() const {
    std::size_t count = 0;
    for (const auto& [hash, bucket] : entries_)
        count += bucket.size();
    return count;
}

void ShadowCache::setByteBudget(std::size_t bytes) {
    budget_ = bytes;
    evict();
}

void ShadowCache::clear() {
    entries_.clear();
    bytes_ = 0;
}

void ShadowCache::keepLastFrame() {
    for (auto& [hash, bucket] : entries_) {
        std::erase_if(bucket, [this](const std::unique_ptr<Entry>& e) {
            if (e->lastUse > frameStart_)
                return false;
            bytes_ -= sizeOf(*e);
            return true;
        });
    }
    std::erase_if(entries_, [](const auto& item) { return item.second.empty(); });
}

} // namespace vellaro
