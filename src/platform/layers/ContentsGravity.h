#pragma once

namespace vellaro {

// Where an image layer puts its image inside its bounds (y-down: Top is the
// upper edge on screen). The Resize kinds scale the image; the others show it
// at its natural size (pixels / contents scale).
enum class ContentsGravity {
    Center,
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
    Resize,
    ResizeAspect,
    ResizeAspectFill,
};

} // namespace vellaro
