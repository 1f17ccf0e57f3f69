#include "overlay/RadialSurface.h"

#include <algorithm>

namespace vellaro {

namespace {

QColor withAlpha(QColor color, double alpha) {
    color.setAlphaF(float(alpha));
    return color;
}

} // namespace

MaterialChoice RadialSurface::effectiveMaterial(MaterialChoice chosen, bool forceOpaque,
                                                bool reduceTransparency) {
    return forceOpaque || reduceTransparency ? MaterialChoice::matte : chosen;
}

QColor RadialSurface::opaque(const QColor& color, bool dark) {
    const QColor rgb = color.toRgb();
    const double base = dark ? 0.0 : 1.0;
    const double f = rgb.alphaF();
    return QColor::fromRgbF(float(base + (rgb.redF() - base) * f),
                            float(base + (rgb.greenF() - base) * f),
                            float(base + (rgb.blueF() - base) * f), 1.0f);
}

RadialSurface RadialSurface::make(MaterialChoice material, bool dark, const VellaroTheme& theme) {
    RadialSurface s;
    switch (material) {
    case MaterialChoice::frost:
        s.fill = withAlpha(theme.wedgeFill, 0.72);
        s.hover = withAlpha(theme.wedgeHover, 0.85);
        s.core = withAlpha(theme.coreFill, 0.78);
        s.stroke = theme.wedgeStroke;
        s.blur = true;
        s.restRadius = 11;
        s.restOffsetY = 5;
        break;
    case MaterialChoice::matte:
        s.fill = opaque(theme.wedgeFill, dark);
        s.hover = opaque(theme.wedgeHover, dark);
        s.core = opaque(theme.coreFill, dark);
        s.stroke = theme.wedgeStroke;
        s.blur = false;
        s.restRadius = 16;
        s.restOffsetY = 8;
        break;
    case MaterialChoice::clear:
        s.fill = withAlpha(theme.wedgeFill, dark ? 0.22 : 0.30);
        s.hover = withAlpha(theme.wedgeHover, 0.55);
        s.core = withAlpha(theme.coreFill, dark ? 0.30 : 0.40);
        s.stroke = withAlpha(theme.wedgeStroke,
                             std::min(1.0, theme.wedgeStroke.alphaF() + (dark ? 0.2 : 0.0)));
        s.blur = true;
        s.restRadius = 8;
        s.restOffsetY = 4;
        break;
    }
    return s;
}

} // namespace vellaro
