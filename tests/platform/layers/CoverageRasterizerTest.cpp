#include "platform/layers/CoverageRasterizer.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPainter>
#include <cmath>
#include <numbers>

namespace vellaro {
namespace {

double coveredArea(const QImage& mask) {
    double sum = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            sum += mask.constScanLine(y)[x] / 255.0;
    return sum;
}

int level(const QImage& mask, int x, int y) {
    return mask.constScanLine(y)[x];
}

QPainterPath square(QRectF r, bool clockwise = true) {
    QPainterPath path;
    if (clockwise) {
        path.addRect(r);
        return path;
    }
    path.moveTo(r.topLeft());
    path.lineTo(r.bottomLeft());
    path.lineTo(r.bottomRight());
    path.lineTo(r.topRight());
    path.closeSubpath();
    return path;
}

TEST(CoverageRasterizer, CoversFractionalEdgesByArea) {
    for (Qt::FillRule rule : {Qt::WindingFill, Qt::OddEvenFill}) {
        const QImage mask =
            rasterizeCoverage(square(QRectF(1.25, 2.5, 5.5, 5)), QTransform(), QSize(10, 10), rule);
        EXPECT_NEAR(coveredArea(mask), 27.5, 0.05) << rule;
        EXPECT_EQ(level(mask, 3, 4), 255);
        EXPECT_NEAR(level(mask, 1, 4), 191, 2); // three quarters of the pixel
        EXPECT_NEAR(level(mask, 4, 2), 128, 9); // half (row sampling is coarser)
        EXPECT_EQ(level(mask, 8, 4), 0);
        EXPECT_EQ(level(mask, 4, 9), 0);
    }
}

TEST(CoverageRasterizer, CircleAreaAndTransform) {
    QPainterPath circle;
    circle.addEllipse(QPointF(0, 0), 10, 10);
    // Scaled by two and moved to the middle of a 50 x 50 image.
    const QImage mask =
        rasterizeCoverage(circle, QTransform::fromScale(2, 2) * QTransform::fromTranslate(25, 25),
                          QSize(50, 50), Qt::WindingFill);
    // Within 1%: the curve is flattened into a polygon just inside it.
    EXPECT_NEAR(coveredArea(mask), std::numbers::pi * 400, 12);
    EXPECT_EQ(level(mask, 25, 25), 255);
    EXPECT_EQ(level(mask, 2, 2), 0);
}

TEST(CoverageRasterizer, FillRulesDecideOverlapsAndHoles) {
    QPainterPath overlap = square(QRectF(0, 0, 6, 6));
    overlap.addPath(square(QRectF(4, 4, 6, 6)));
    QPainterPath holed = square(QRectF(0, 0, 10, 10));
    holed.addPath(square(QRectF(3, 3, 4, 4), false));
    struct Case {
        const char* name;
        QPainterPath path;
        Qt::FillRule rule;
        QPoint probe;
        int expected;
    };
    for (const Case& c : {Case{"overlap, non-zero", overlap, Qt::WindingFill, {5, 5}, 255},
                          Case{"overlap, odd-even", overlap, Qt::OddEvenFill, {5, 5}, 0},
                          Case{"reversed hole, non-zero", holed, Qt::WindingFill, {5, 5}, 0},
                          Case{"reversed hole, odd-even", holed, Qt::OddEvenFill, {5, 5}, 0},
                          Case{"around the hole", holed, Qt::WindingFill, {1, 5}, 255}}) {
        const QImage mask = rasterizeCoverage(c.path, QTransform(), QSize(12, 12), c.rule);
        EXPECT_EQ(level(mask, c.probe.x(), c.probe.y()), c.expected) << c.name;
    }
}

TEST(CoverageRasterizer, ClipsPathsReachingPastTheImage) {
    const QImage mask = rasterizeCoverage(square(QRectF(-5, -5, 10, 30)), QTransform(), QSize(8, 8),
                                          Qt::WindingFill);
    EXPECT_NEAR(coveredArea(mask), 5 * 8, 0.01);
    EXPECT_EQ(level(mask, 0, 7), 255);
    EXPECT_EQ(level(mask, 5, 0), 0);
    EXPECT_TRUE(
        rasterizeCoverage(QPainterPath(), QTransform(), QSize(4, 4), Qt::WindingFill).size() ==
        QSize(4, 4));
}

TEST(CoverageRasterizer, MatchesQPainterAntialiasing) {
    // A wedge of a ring, the dial's own kind of shape, at an odd position.
    QPainterPath wedge;
    const auto polar = [](double r, double a) {
        return QPointF(40.3 + r * std::sin(a), 41.7 - r * std::cos(a));
    };
    wedge.moveTo(polar(12, -0.5));
    for (int i = 0; i <= 20; ++i)
        wedge.lineTo(polar(38, -0.5 + i / 20.0));
    for (int i = 20; i >= 0; --i)
        wedge.lineTo(polar(12, -0.5 + i / 20.0));
    wedge.closeSubpath();

    const QImage ours = rasterizeCoverage(wedge, QTransform(), QSize(80, 80), Qt::WindingFill);
    QImage reference(80, 80, QImage::Format_Alpha8);
    reference.fill(0);
    {
        QPainter painter(&reference);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(wedge, Qt::black);
    }
    int worst = 0;
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 80; ++x)
            worst = std::max(worst, std::abs(level(ours, x, y) - level(reference, x, y)));
    EXPECT_LE(worst, 12);
    EXPECT_NEAR(coveredArea(ours), coveredArea(reference), 1.0);
}

} // namespace
} // namespace vellaro
