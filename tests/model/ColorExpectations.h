#pragma once

#include <QColor>
#include <gtest/gtest.h>
#include <string>

namespace vellaro::test {

// Components as written in a table: red, green, blue, alpha.
struct Rgba {
    double r, g, b, a = 1;
};

// Colours keep 16 bits a component, so tables compare within a small tolerance.
inline ::testing::AssertionResult sameColor(const QColor& actual, Rgba expected) {
    const QColor c = actual.toRgb();
    const double tolerance = 2e-4;
    if (std::abs(c.redF() - expected.r) <= tolerance &&
        std::abs(c.greenF() - expected.g) <= tolerance &&
        std::abs(c.blueF() - expected.b) <= tolerance &&
        std::abs(c.alphaF() - expected.a) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << c.redF() << ", " << c.greenF() << ", " << c.blueF() << ", " << c.alphaF()
           << "), expected (" << expected.r << ", " << expected.g << ", " << expected.b << ", "
           << expected.a << ")";
}

} // namespace vellaro::test
