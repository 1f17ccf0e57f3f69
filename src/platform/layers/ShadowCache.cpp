#include "platform/layers/ShadowCache.h"

#include <QPainter>
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

std::size_t hashPath(const QPainterPath& path, double radius, qreal pixelRatio) {
    std::size_t seed = std::hash<double>{}(radius) ^ (std::hash<double>{}(pixelRatio) << 1);
    const auto mix = [&seed](std::size_t value) {
        seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
    };
    mix(static_cast<std::size_t>(path.fillRule()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        mix(std::hash<double>{}(e.x));
        mix(std::hash<double>{}(e.y));
        mix(static_cast<std::size_t>(e.type));
    }
    return seed;
}

// One box pass along rows (step 1) or columns (step = stride), src -> dst.
void boxPass(const uchar* src, uchar* dst, int width, int height, qsizetype stride, int half,
             bool alongRows) {
    const int count = alongRows ? height : width;
    const int length = alongRows ? width : height;
    const qsizetype step = alongRows ? 1 : stride;
    const qsizetype lineStep = alongRows ? stride : 1;
    const std::uint32_t scale = (1u << 16) / static_cast<std::uint32_t>(2 * half + 1);
    for (int line = 0; line < count; ++line) {
        const uchar* in = src + line * lineStep;
        uchar* out = dst + line * lineStep;
        std::uint32_t sum = 0;
        for (int i = 0; i <= std::min(half, length - 1); ++i)
            sum += in[i * step];
        for (int i = 0; i < length; ++i) {
            out[i * step] =
                static_cast<uchar>(std::min<std::uint32_t>(255u, (sum * scale + (1u << 15)) >> 16));
            if (i + half + 1 < length)
                sum += in[(i + half + 1) * step];
            if (i - half >= 0)
                sum -= in[(i - half) * step];
        }
    }
}

void boxBlur(QImage& mask, int half) {
    if (half <= 0)
        return;
    QImage work(mask.size(), QImage::Format_Alpha8);
    const qsizetype stride = mask.bytesPerLine();
    Q_ASSERT(work.bytesPerLine() == stride);
    for (bool alongRows : {true, false}) {
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(mask.constBits(), work.bits(), mask.width(), mask.height(), stride, half,
                    alongRows);
            std::swap(mask, work);
        }
    }
}

QImage tint(const QImage& mask, const QColor& color, qreal pixelRatio) {
    const QRgb premultiplied = qPremultiply(color.rgba());
    std::array<QRgb, 256> table;
    for (int a = 0; a < 256; ++a) {
        const auto scaled = [a](int channel) { return (channel * a + 127) / 255; };
        table[a] = qRgba(scaled(qRed(premultiplied)), scaled(qGreen(premultiplied)),
                         scaled(qBlue(premultiplied)), scaled(qAlpha(premultiplied)));
    }
    QImage out(mask.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < mask.height(); ++y) {
        const uchar* in = mask.constScanLine(y);
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < mask.width(); ++x)
            row[x] = table[in[x]];
    }
    out.setDevicePixelRatio(pixelRatio);
    return out;
}

} // namespace

double ShadowCache::reach(double radius) {
    return std::max(radius, 0.0) * 1.5 + 1.0;
}

ShadowCache::Entry ShadowCache::makeEntry(const QPainterPath& path, double radius,
                                          qreal pixelRatio) const {
    Entry entry{path, radius, pixelRatio, {}, {}, {}, 0, 0};
    const int half = boxHalfWidth(radius / 2.0 * pixelRatio);
    const int pad = 3 * half + 1;
    const QRectF shape = path.controlPointRect();
    const QRect pixels = QRectF(shape.topLeft() * pixelRatio, shape.size() * pixelRatio)
                             .toAlignedRect()
                             .adjusted(-pad, -pad, pad, pad);
    entry.mask = QImage(pixels.size(), QImage::Format_Alpha8);
    entry.mask.fill(0);
    {
        QPainter painter(&entry.mask);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setTransform(QTransform::fromScale(pixelRatio, pixelRatio) *
                             QTransform::fromTranslate(-pixels.x(), -pixels.y()));
        painter.fillPath(path, Qt::black);
    }
    boxBlur(entry.mask, half);
    entry.rect = QRectF(QPointF(pixels.topLeft()) / pixelRatio, QSizeF(pixels.size()) / pixelRatio);
    return entry;
}

ShadowCache::Shadow ShadowCache::shadow(const QPainterPath& path, double radius, qreal pixelRatio,
                                        const QColor& color) {
    if (path.isEmpty() || !std::isfinite(pixelRatio) || pixelRatio <= 0)
        return {};
    radius = quantizedRadius(radius);
    auto& bucket = entries_[hashPath(path, radius, pixelRatio)];
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
    const QRgb rgba = color.rgba();
    if (entry.tinted.isNull() || entry.tint != rgba) {
        bytes_ -= sizeOf(entry);
        entry.tinted = tint(entry.mask, color, pixelRatio);
        entry.tint = rgba;
        bytes_ += sizeOf(entry);
    }
    Shadow result{&entry.tinted, entry.rect};
    if (bytes_ > budget_) {
        // Entries live on the heap, so evicting others leaves this one in place.
        entry.lastUse = ~std::uint64_t{0};
        evict();
        entry.lastUse = clock_;
    }
    return result;
}

std::size_t ShadowCache::sizeOf(const Entry& entry) {
    return static_cast<std::size_t>(entry.mask.sizeInBytes() + entry.tinted.sizeInBytes());
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

} // namespace vellaro
