#pragma once

namespace vellaro {

// A cubic Bezier pacing curve from (0, 0) to (1, 1) with two control points.
// The control points' x values are kept within 0...1 so that time maps to one
// progress value; y values are free, so a curve may overshoot past 1.
class TimingFunction {
public:
    constexpr TimingFunction() = default; // linear
    TimingFunction(double x1, double y1, double x2, double y2);

    static TimingFunction linear() { return {}; }
    static TimingFunction easeIn() { return {0.42, 0.0, 1.0, 1.0}; }
    static TimingFunction easeOut() { return {0.0, 0.0, 0.58, 1.0}; }
    static TimingFunction easeInEaseOut() { return {0.42, 0.0, 0.58, 1.0}; }
    // The pacing of implicit animations outside an explicit transaction.
    static TimingFunction standard() { return {0.25, 0.1, 0.25, 1.0}; }

    // Progress for a time fraction; the fraction is clamped to 0...1.
    double valueAt(double fraction) const;

    double x1() const { return x1_; }
    double y1() const { return y1_; }
    double x2() const { return x2_; }
    double y2() const { return y2_; }

    bool operator==(const TimingFunction&) const = default;

private:
    double sampleX(double t) const;
    double solveForT(double x) const;

    double x1_ = 0.0, y1_ = 0.0, x2_ = 1.0, y2_ = 1.0;
};

} // namespace vellaro
