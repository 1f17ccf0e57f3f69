#include "overlay/RadialSurface.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

VellaroTheme makeTheme() {
    VellaroTheme t = VellaroTheme::light();
    t.wedgeFill = QColor::fromRgbF(0.2f, 0.4f, 0.6f, 0.92f);
    t.wedgeHover = QColor::fromRgbF(0.3f, 0.3f, 0.9f, 0.97f);
    t.coreFill = QColor::fromRgbF(0.1f, 0.1f, 0.1f, 0.96f);
    t.wedgeStroke = QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.9f);
    return t;
}
const VellaroTheme theme = makeTheme();

TEST(RadialSurface, EachMaterialInBothAppearances) {
    struct Case {
        MaterialChoice material;
        bool dark;
        double fillAlpha, hoverAlpha, coreAlpha, strokeAlpha;
        bool blur;
        double radius, offsetY;
    };
    const Case cases[] = {
        {MaterialChoice::frost, false, 0.72, 0.85, 0.78, 0.9, true, 11, 5},
        {MaterialChoice::frost, true, 0.72, 0.85, 0.78, 0.9, true, 11, 5},
        {MaterialChoice::matte, false, 1.0, 1.0, 1.0, 0.9, false, 16, 8},
        {MaterialChoice::matte, true, 1.0, 1.0, 1.0, 0.9, false, 16, 8},
        {MaterialChoice::clear, false, 0.30, 0.55, 0.40, 0.9, true, 8, 4},
        // A clear dark dial lifts the stroke by 0.2, never above 1.
        {MaterialChoice::clear, true, 0.22, 0.55, 0.30, 1.0, true, 8, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.material) << " dark " << c.dark);
        const RadialSurface s = RadialSurface::make(c.material, c.dark, theme);
        EXPECT_NEAR(s.fill.alphaF(), c.fillAlpha, 0.005);
        EXPECT_NEAR(s.hover.alphaF(), c.hoverAlpha, 0.005);
        EXPECT_NEAR(s.core.alphaF(), c.coreAlpha, 0.005);
        EXPECT_NEAR(s.stroke.alphaF(), c.strokeAlpha, 0.005);
        EXPECT_EQ(s.blur, c.blur);
        EXPECT_EQ(s.restRadius, c.radius);
        // Shadows fall downward on screen.
        EXPECT_EQ(s.restOffsetY, c.offsetY);
    }
}

TEST(RadialSurface, OpaqueBlendsOverBlackOrWhiteByTheColoursAlpha) {
    const QColor half = QColor::fromRgbF(1.0f, 0.0f, 0.0f, 0.5f);
    const QColor overBlack = RadialSurface::opaque(half, true);
    const QColor overWhite = RadialSurface::opaque(half, false);
    EXPECT_NEAR(overBlack.redF(), 0.5, 0.005);
    EXPECT_NEAR(overBlack.greenF(), 0.0, 0.005);
    EXPECT_NEAR(overWhite.redF(), 1.0, 0.005);
    EXPECT_NEAR(overWhite.greenF(), 0.5, 0.005);
    EXPECT_EQ(overBlack.alphaF(), 1.0);
}

TEST(RadialSurface, ForcedOpaqueOrReducedTransparencyIsMatte) {
    EXPECT_EQ(RadialSurface::effectiveMaterial(MaterialChoice::clear, true, false),
              MaterialChoice::matte);
    EXPECT_EQ(RadialSurface::effectiveMaterial(MaterialChoice::frost, false, true),
              MaterialChoice::matte);
    EXPECT_EQ(RadialSurface::effectiveMaterial(MaterialChoice::clear, false, false),
              MaterialChoice::clear);
}

} // namespace
} // namespace vellaro
