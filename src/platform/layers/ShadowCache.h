#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vellaro {

// Soft shadows of shapes. The blurred alpha mask of a (path, blur radius,
// pixel ratio) is made once, with three box-blur passes each way (close to a
// Gaussian of sigma radius / 2), and tinted again only when the colour
// changes. Least recently used entries go when the cache outgrows its budget.
class ShadowCache {
public:
    struct Shadow {
        const QImage* image = nullptr; // premultiplied, device pixels (pixel ratio 1)
        QRectF rect;                   // where it goes, in the path's coordinates
    };

    // Null image for an empty path.
    Shadow shadow(const QPainterPath& path, double radius, qreal pixelRatio, const QColor& color);

    std::size_t entryCount() const;
    std::size_t byteCount() const { return bytes_; }
    void setByteBudget(std::size_t bytes);
    void clear();

    // A frame begins: keepLastFrame() keeps what is drawn from here on.
    void beginFrame() { frameStart_ = clock_; }
    // Drops every shadow the last frame did not draw.
    void keepLastFrame();

    // How far (in path units) a blur of `radius` reaches past the shape.
    static double reach(double radius);

private:
    struct Entry {
        QPainterPath path;
        double radius = 0;
        qreal pixelRatio = 1;
        QImage mask; // Format_Alpha8
        QRectF rect;
        QImage tinted;
        QRgb tint = 0;
        std::uint64_t lastUse = 0;
    };
    static std::size_t sizeOf(const Entry& entry);
    Entry makeEntry(const QPainterPath& path, double radius, qreal pixelRatio) const;
    void evict();

    std::unordered_map<std::size_t, std::vector<std::unique_ptr<Entry>>> entries_;
    std::size_t bytes_ = 0;
    std::size_t budget_ = 48u << 20;
    std::uint64_t clock_ = 0;
    std::uint64_t frameStart_ = 0;
};

} // namespace vellaro
