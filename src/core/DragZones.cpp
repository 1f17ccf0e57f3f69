#include "core/DragZones.h"

#include <cmath>

namespace vellaro::DragZones {

namespace {

constexpr double coreMiddle = 0.55; // of the core radius
constexpr double wedgeRemovalMargin = 26;
constexpr double fanRemovalMargin = 20;
constexpr double dropBandMargin = 20;

} // namespace

bool passedThreshold(Point press, Point pointer, double threshold) {
    return std::hypot(pointer.x - press.x, pointer.y - press.y) > threshold;
}

bool wedgeRemoving(const RadialLayout& layout, double scale, double distance) {
    return distance > layout.ringOuter + wedgeRemovalMargin * scale ||
           distance < coreMiddle * layout.coreRadius;
}

bool fanItemRemoving(const RadialLayout& layout, double scale, double distance) {
    return distance > layout.fanOuter() + fanRemovalMargin * scale;
}

bool inLibraryDropBand(const RadialLayout& layout, double scale, double distance) {
    return distance > coreMiddle * layout.coreRadius &&
           distance < layout.ringOuter + dropBandMargin * scale;
}

} // namespace vellaro::DragZones
