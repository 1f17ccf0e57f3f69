#include "platform/layers/CoverageTint.h"

#include <array>

namespace vellaro {

namespace {

using Table = std::array<QRgb, 256>;

// The premultiplied colour at every coverage level.
Table tableFor(QRgb color) {
    const QRgb premultiplied = qPremultiply(color);
    Table table;
    for (int a = 0; a < 256; ++a) {
        const auto scaled = [a](int channel) { return (channel * a + 127) / 255; };
        table[std::size_t(a)] = qRgba(scaled(qRed(premultiplied)), scaled(qGreen(premultiplied)),
                                      scaled(qBlue(premultiplied)), scaled(qAlpha(premultiplied)));
    }
    return table;
}

// x * a / 255 on all four channels at once.
inline QRgb byteMul(QRgb x, uint a) {
    uint t = (x & 0xff00ff) * a;
    t = (t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8;
    t &= 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080);
    x &= 0xff00ff00;
    return x | t;
}

} // namespace

QImage tintCoverage(QSize size, const QImage& fillCoverage, QRgb fill, const QImage& strokeCoverage,
                    QRgb stroke) {
    QImage out(size, QImage::Format_ARGB32_Premultiplied);
    if (out.isNull())
        return out;
    const bool hasFill = !fillCoverage.isNull() && fillCoverage.size() == size && qAlpha(fill) > 0;
    const bool hasStroke =
        !strokeCoverage.isNull() && strokeCoverage.size() == size && qAlpha(stroke) > 0;
    if (!hasFill && !hasStroke) {
        out.fill(Qt::transparent);
        return out;
    }
    const Table fills = tableFor(hasFill ? fill : 0);
    const Table strokes = tableFor(hasStroke ? stroke : 0);
    const int width = size.width();
    for (int y = 0; y < size.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        const uchar* f = hasFill ? fillCoverage.constScanLine(y) : nullptr;
        const uchar* s = hasStroke ? strokeCoverage.constScanLine(y) : nullptr;
        if (!s) {
            for (int x = 0; x < width; ++x)
                row[x] = fills[f[x]];
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const QRgb under = f ? fills[f[x]] : 0;
            // Most pixels are off the stroke: skip the blend there.
            row[x] = s[x] ? strokes[s[x]] + byteMul(under, 255 - qAlpha(strokes[s[x]])) : under;
        }
    }
    return out;
}

} // namespace vellaro
