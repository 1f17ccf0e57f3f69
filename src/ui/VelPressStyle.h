#pragma once

class QPainter;

namespace vellaro {

// The kit's press feedback: a pressed button's label moves 1 point down and
// shows at 85% opacity; no animation.
struct VelPressStyle {
    static void apply(QPainter& painter, bool pressed);
};

} // namespace vellaro
