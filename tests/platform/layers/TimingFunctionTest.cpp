#include "platform/layers/TimingFunction.h"

#include <gtest/gtest.h>

#include <limits>

namespace vellaro {
namespace {

const TimingFunction overshoot(0.3, 1.16, 0.35, 1.0);
const TimingFunction easeOut(0.22, 0.9, 0.28, 1.0);

struct Sample {
    const char* name;
    TimingFunction curve;
    double fraction;
    double expected;
};

class TimingFunctionSamples : public testing::TestWithParam<Sample> {};

TEST_P(TimingFunctionSamples, SolvesTheCurveForTime) {
    const Sample& s = GetParam();
    EXPECT_NEAR(s.curve.valueAt(s.fraction), s.expected, 1e-3) << s.name << " at " << s.fraction;
}

// Reference values worked out independently by bisection on x(t).
INSTANTIATE_TEST_SUITE_P(
    Curves, TimingFunctionSamples,
    testing::Values(Sample{"linear", TimingFunction::linear(), 0.37, 0.37},
                    Sample{"start", overshoot, 0.0, 0.0}, Sample{"end", overshoot, 1.0, 1.0},
                    Sample{"before start clamps", easeOut, -0.5, 0.0},
                    Sample{"after end clamps", easeOut, 1.5, 1.0},
                    Sample{"ease-in-out is symmetric", TimingFunction::easeInEaseOut(), 0.5, 0.5},
                    Sample{"standard (CSS ease) at half", TimingFunction::standard(), 0.5, 0.8024},
                    Sample{"standard at a quarter", TimingFunction::standard(), 0.25, 0.4085},
                    Sample{"ease-out at a quarter", easeOut, 0.25, 0.7574},
                    Sample{"ease-out at half", easeOut, 0.5, 0.9515},
                    Sample{"overshoot at a quarter", overshoot, 0.25, 0.7784},
                    Sample{"overshoot just below one at half", overshoot, 0.5, 0.9950},
                    Sample{"overshoot past one at 0.7", overshoot, 0.7, 1.0070}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(TimingFunction, OvershootRisesAboveOneMidwayAndSettles) {
    double peak = 0.0;
    double peakAt = 0.0;
    for (int i = 0; i <= 1000; ++i) {
        const double y = overshoot.valueAt(i / 1000.0);
        if (y > peak) {
            peak = y;
            peakAt = i / 1000.0;
        }
    }
    EXPECT_NEAR(peak, 1.0075, 5e-4);
    EXPECT_NEAR(peakAt, 0.654, 0.01);
    EXPECT_DOUBLE_EQ(overshoot.valueAt(1.0), 1.0);
}

TEST(TimingFunction, ProgressNeverGoesBackOnAMonotonicCurve) {
    double last = 0.0;
    for (int i = 0; i <= 200; ++i) {
        const double y = easeOut.valueAt(i / 200.0);
        EXPECT_GE(y, last - 1e-9);
        last = y;
    }
}

TEST(TimingFunction, BadControlPointsFallBackOrClamp) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(TimingFunction(nan, 0, 1, 1), TimingFunction::linear());
    const TimingFunction clamped(-1.0, 0.0, 2.0, 1.0);
    EXPECT_DOUBLE_EQ(clamped.x1(), 0.0);
    EXPECT_DOUBLE_EQ(clamped.x2(), 1.0);
    EXPECT_DOUBLE_EQ(easeOut.valueAt(nan), 1.0);
}

} // namespace
} // namespace vellaro
