#include "overlay/BoxBlur.h"

#include <algorithm>
#include <vector>

namespace vellaro {

namespace {

constexpr int shrink = 4;

// One box pass along rows (horizontal) or columns, on premultiplied ARGB32.
void boxPass(QImage& image, int radius, bool horizontal) {
    const int w = image.width();
    const int h = image.height();
    const int lines = horizontal ? h : w;
    const int length = horizontal ? w : h;
    std::vector<QRgb> line(std::size_t(length), 0);
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto pixel = [&](int i) -> QRgb& {
            return horizontal ? reinterpret_cast<QRgb*>(image.scanLine(l))[i]
                              : reinterpret_cast<QRgb*>(image.scanLine(i))[l];
        };
        for (int i = 0; i < length; ++i)
            line[std::size_t(i)] = pixel(i);
        int sum[4] = {0, 0, 0, 0};
        auto add = [&](QRgb c, int sign) {
            sum[0] += sign * qAlpha(c);
            sum[1] += sign * qRed(c);
            sum[2] += sign * qGreen(c);
            sum[3] += sign * qBlue(c);
        };
        auto at = [&](int i) { return line[std::size_t(std::clamp(i, 0, length - 1))]; };
        for (int i = -radius; i <= radius; ++i)
            add(at(i), 1);
        for (int i = 0; i < length; ++i) {
            pixel(i) = qRgba(sum[1] / window, sum[2] / window, sum[3] / window, sum[0] / window);
            add(at(i - radius), -1);
            add(at(i + radius + 1), 1);
        }
    }
}

} // namespace

QImage boxBlurred(const QImage& image, int radius) {
    if (image.isNull() || radius <= 0)
        return image;
    const QSize small(std::max(1, image.width() / shrink), std::max(1, image.height() / shrink));
    QImage work = image.scaled(small, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int r = std::max(1, radius / shrink);
    for (int pass = 0; pass < 3; ++pass) {
        boxPass(work, r, true);
        boxPass(work, r, false);
    }
    return work.scaled(image.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace vellaro
