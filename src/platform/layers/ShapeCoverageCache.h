#pragma once

#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QRect>
#include <QTransform>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

namespace vellaro {

// Shapes rasterised at device resolution, shared by every shape layer: the
// coverage of a (shape, stroke, placement on the pixel grid) is made once and
// found again when a layer moves back to where it was (a wedge leaving its
// hover look) or a rebuilt layer draws the same shape (the fan of a section
// shown again). A few tints are kept with each coverage, so switching
// between looks is a copy. Least recently used entries go when the cache
// outgrows its budget; layers keep theirs alive while they use them.
class ShapeCoverageCache {
public:
    // What the coverage depends on besides the matrix.
    struct Shape {
        QPainterPath path;
        Qt::FillRule fillRule = Qt::WindingFill;
        bool filled = false;
        double strokeWidth = 0; // 0 for no stroke
        Qt::PenCapStyle cap = Qt::FlatCap;
        Qt::PenJoinStyle join = Qt::MiterJoin;
        QList<qreal> dashes;  // in line widths, as the stroker takes them
        std::size_t hash = 0; // of the path and the stroke; see hashed()

        Shape& hashed();
        bool operator==(const Shape& other) const;
    };

    // A shape's coverage at one matrix (layer to device pixels, without the
    // whole-pixel part of its translation).
    class Raster {
    public:
        Raster(const Shape& shape, const QTransform& matrix, const QRect& pixels);

        const QTransform& matrix() const { return matrix_; }
        // The pixels rasterised, in the matrix's space.
        const QRect& pixels() const { return pixels_; }
        // The shape in these colours (transparent for none), premultiplied.
        const QImage& image(QRgb fill, QRgb stroke);
        std::size_t byteCount() const;
        // Keeps only the colouring used last.
        void dropOlderTints();

    private:
        struct Tint {
            QRgb fill, stroke;
            QImage image;
        };
        QTransform matrix_;
        QRect pixels_;
        QImage fillCoverage_;
        QImage strokeCoverage_;
        std::vector<Tint> tints_; // most recent first
    };

    static ShapeCoverageCache& shared();

    // The raster of `shape` at `matrix` covering `pixels`, made if need be.
    // Null when `pixels` is empty.
    std::shared_ptr<Raster> raster(const Shape& shape, const QTransform& matrix,
                                   const QRect& pixels);

    std::size_t entryCount() const;
    std::size_t byteCount() const;
    void setByteBudget(std::size_t bytes);
    void clear();
    // Drops every shape no layer holds any more, and the older colourings of
    // those still held: what is left is what the layers on hand draw.
    void releaseUnused();

private:
    struct Entry {
        Shape shape;
        std::shared_ptr<Raster> raster;
        std::uint64_t lastUse = 0;
    };
    void evict();

    std::unordered_map<std::size_t, std::vector<Entry>> entries_;
    std::size_t budget_ = 32u << 20;
    std::uint64_t clock_ = 0;
};

} // namespace vellaro
