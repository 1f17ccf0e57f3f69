#include "ui/WaypointMark.h"
#include "model/Pal.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

QImage render(QColor ink, QColor accent, qreal lineWidth, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    WaypointMark::paint(painter, QRectF(QPointF(0, 0), size), ink, accent, lineWidth);
    painter.end();
    return image;
}

// Pixels compare in 8 bits a channel.
QRgb rgba8(const QColor& color) {
    return color.rgba();
}
QRgb pixel(const QImage& image, QPoint point) {
    return image.pixel(point);
}

// The point at `degrees` (clockwise from the positive x axis, y down) on a
// circle of `radius` around `centre`.
QPoint onCircle(QPointF centre, double radius, double degrees) {
    const double a = qDegreesToRadians(degrees);
    return QPointF(centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a)).toPoint();
}

TEST(WaypointMarkTest, KeepsASquareCentredInItsFrame) {
    EXPECT_EQ(WaypointMark::square(QRectF(0, 0, 46, 30)), QRectF(8, 0, 30, 30));
    EXPECT_EQ(WaypointMark::square(QRectF(10, 10, 20, 50)), QRectF(10, 25, 20, 20));

    // In a 46 x 30 frame: ring radius 12 around (23, 15), dot diameter 7.5.
    const QImage image = render(Qt::black, Qt::red, 2, QSize(46, 30));
    EXPECT_GT(image.pixelColor(23, 27).alpha(), 200) << "ring bottom";
    EXPECT_GT(image.pixelColor(11, 15).alpha(), 200) << "ring left";
    EXPECT_EQ(image.pixelColor(23, 15).alpha(), 0) << "centre";
    EXPECT_EQ(image.pixelColor(4, 15).alpha(), 0) << "left of the square";
    const QPointF dot(23 + 0.7071 * 12, 15 - 0.7071 * 12);
    EXPECT_EQ(pixel(image, dot.toPoint()), rgba8(Qt::red));
    EXPECT_EQ(pixel(image, (dot + QPointF(2, 0)).toPoint()), rgba8(Qt::red));
    EXPECT_EQ(image.pixelColor((dot + QPointF(5, 0)).toPoint()).alpha(), 0) << "past the dot";
}

TEST(WaypointMarkTest, OpenRingWithTheDotInItsGap) {
    const Pal& pal = Pal::light();
    const QImage image = render(pal.ink, pal.accent, 12, QSize(240, 240));
    QDir().mkpath(QStringLiteral(VELLARO_TEST_OUTPUT_DIR));
    image.save(QStringLiteral(VELLARO_TEST_OUTPUT_DIR "/waypoint-mark.png"));

    const QPointF centre(120, 120);
    const double radius = 96;
    // The ring runs clockwise from -15 to 285 degrees.
    for (double degrees : {0.0, 45.0, 90.0, 180.0, 270.0, 280.0, -10.0})
        EXPECT_EQ(pixel(image, onCircle(centre, radius, degrees)), rgba8(pal.ink)) << degrees;
    // The gap on either side of the dot stays empty.
    for (double degrees : {-24.0, -66.0})
        EXPECT_EQ(image.pixelColor(onCircle(centre, radius, degrees)).alpha(), 0) << degrees;
    // The dot, radius 30, centred in the gap on the ring's centre line.
    const QPoint dot = onCircle(centre, radius, -45);
    EXPECT_EQ(pixel(image, dot), rgba8(pal.accent));
    EXPECT_EQ(pixel(image, dot + QPoint(26, 0)), rgba8(pal.accent));
    EXPECT_EQ(image.pixelColor(dot + QPoint(0, 34)).alpha(), 0);
    EXPECT_EQ(image.pixelColor(centre.toPoint()).alpha(), 0);
}

} // namespace
} // namespace vellaro
