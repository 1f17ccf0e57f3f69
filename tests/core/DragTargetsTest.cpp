#include "core/DragZones.h"
#include "core/MoveElement.h"
#include "core/RingSlots.h"

#include "CorePrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>
#include <vector>

namespace vellaro {

inline void PrintTo(const LibraryDropTarget& target, std::ostream* out) {
    *out << "{swap " << describe(target.swap) << ", ghost " << describe(target.ghost) << "}";
}

namespace {

constexpr double pi = std::numbers::pi;
constexpr double scale = 0.8; // the console's standard preview
constexpr Point center{192, 192};

RadialLayout previewLayout(std::int64_t slots) {
    return RadialLayout::standard(slots)->scaled(scale);
}

// The angle `fraction` of the way through `slot`, clockwise, on a ring of
// `slots` slots.
double angleIn(std::int64_t slot, double fraction, std::int64_t slots) {
    const double slice = 2 * pi / double(slots);
    return std::fmod((double(slot) + fraction - 0.5) * slice + 2 * pi, 2 * pi);
}

Point at(double angle, double distance) {
    return RadialLayout::point(angle, distance, center);
}

TEST(DragZones, DragStartsStrictlyBeyondTheThreshold) {
    struct Case {
        double threshold;
        Point moved;
        bool started;
    };
    const Case cases[] = {
        {DragZones::wedgeDragStart, {7, 0}, false},     {DragZones::wedgeDragStart, {0, -7}, false},
        {DragZones::wedgeDragStart, {7.1, 0}, true},    {DragZones::wedgeDragStart, {0, 7.1}, true},
        {DragZones::wedgeDragStart, {-5.1, 5.1}, true}, {DragZones::fanDragStart, {-6, 0}, false},
        {DragZones::fanDragStart, {0, 6.1}, true},      {DragZones::wedgeDragStart, {0, 0}, false},
    };
    const Point press{100, 100};
    for (const Case& c : cases)
        EXPECT_EQ(DragZones::passedThreshold(press, press + c.moved, c.threshold), c.started)
            << "moved " << c.moved.x << "," << c.moved.y << ", threshold " << c.threshold;
}

TEST(DragZones, RemovalZonesAndDropBand) {
    const RadialLayout layout = previewLayout(6);
    const double ringOuter = layout.ringOuter;
    const double coreMiddle = 0.55 * layout.coreRadius;
    const double wedgeOut = ringOuter + 26 * scale;
    const double fanOut = layout.ringOuter + layout.ringGap + layout.fanDepth + 20 * scale;
    const double bandOut = ringOuter + 20 * scale;
    const double e = 1e-6;
    struct Case {
        double distance;
        bool wedgeRemoving;
        bool fanRemoving;
        bool inBand;
    };
    const Case cases[] = {
        {0, true, false, false},
        {coreMiddle - e, true, false, false},
        {coreMiddle, false, false, false},
        {coreMiddle + e, false, false, true},
        {ringOuter, false, false, true},
        {bandOut - e, false, false, true},
        {bandOut, false, false, false},
        {wedgeOut, false, false, false},
        {wedgeOut + e, true, false, false},
        {fanOut, true, false, false},
        {fanOut + e, true, true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DragZones::wedgeRemoving(layout, scale, c.distance), c.wedgeRemoving)
            << c.distance;
        EXPECT_EQ(DragZones::fanItemRemoving(layout, scale, c.distance), c.fanRemoving)
            << c.distance;
        EXPECT_EQ(DragZones::inLibraryDropBand(layout, scale, c.distance), c.inBand) << c.distance;
    }
}

TEST(RingSlots, PositionOnTheRing) {
    struct Case {
        double angle;
        std::int64_t slots;
        RingSlots::Position expected;
    };
    const double sixth = pi / 3;
    const Case cases[] = {
        {0, 6, {0, 0.5}},
        {sixth / 2, 6, {1, 0}}, // the boundary belongs to the next slot clockwise
        {3 * sixth, 6, {3, 0.5}},
        {2 * pi - sixth / 2 - 0.01 * sixth, 6, {5, 0.99}},
        {2 * pi - sixth / 4, 6, {0, 0.25}}, // just counter-clockwise of twelve
        {-sixth / 4, 6, {0, 0.25}},
        {pi, 2, {1, 0.5}},
        {1.0, 0, {0, (1.0 + pi) / (2 * pi)}}, // no slots: one slot
    };
    for (const Case& c : cases) {
        const auto got = RingSlots::position(c.angle, c.slots);
        EXPECT_EQ(got.slot, c.expected.slot) << c.angle << " on " << c.slots;
        EXPECT_NEAR(got.fraction, c.expected.fraction, 1e-9) << c.angle << " on " << c.slots;
    }
}

TEST(RingSlots, LibraryTargetsByAngle) {
    using T = LibraryDropTarget;
    struct Case {
        const char* what;
        std::int64_t sections;
        std::optional<std::int64_t> ghost;
        std::int64_t slot;
        double fraction;
        T expected;
    };
    const std::optional<std::int64_t> none;
    const Case cases[] = {
        {"first part of a slot inserts before it", 4, none, 1, 0.26, {none, 1}},
        {"last part inserts after it", 4, none, 1, 0.74, {none, 2}},
        {"middle replaces its section", 4, none, 1, 0.50, {1, none}},
        {"just past 27% is the middle", 4, none, 1, 0.28, {1, none}},
        {"just short of 73% too", 4, none, 1, 0.72, {1, none}},
        {"before the first slot", 4, none, 0, 0.05, {none, 0}},
        {"after the last slot is the end", 4, none, 3, 0.95, {none, 4}},
        {"over the ghost keeps it", 4, 2, 2, 0.50, {none, 2}},
        {"either end of the ghost keeps it", 4, 2, 2, 0.10, {none, 2}},
        {"...at both ends", 4, 2, 2, 0.90, {none, 2}},
        {"start of the slot after the ghost keeps it", 4, 2, 3, 0.10, {none, 2}},
        {"end of the slot before the ghost keeps it", 4, 2, 1, 0.90, {none, 2}},
        {"a slot after the ghost names the section before it", 4, 2, 3, 0.50, {2, none}},
        {"a slot before the ghost names its own section", 4, 2, 1, 0.50, {1, none}},
        {"the end with a ghost before it", 4, 2, 4, 0.90, {none, 4}},
        {"the start with a ghost after it", 4, 2, 0, 0.10, {none, 0}},
        {"six sections still take one more", 6, none, 2, 0.10, {none, 2}},
        {"seven sections only swap, whatever the band", 7, none, 2, 0.10, {2, none}},
        {"...at the end of a slot too", 7, none, 6, 0.95, {6, none}},
        {"a ghost on a full dial is ignored", 7, 3, 3, 0.50, {3, none}},
        {"a ghost past the end is ignored", 4, 9, 2, 0.50, {2, none}},
    };
    for (const Case& c : cases) {
        const std::int64_t slots =
            c.sections + (c.ghost && *c.ghost <= c.sections && c.sections < 7 ? 1 : 0);
        EXPECT_EQ(RingSlots::libraryTarget(angleIn(c.slot, c.fraction, slots), c.sections, c.ghost),
                  c.expected)
            << c.what;
    }
}

TEST(RingSlots, LibraryTargetsOnlyInsideTheDropBand) {
    const RadialLayout layout = previewLayout(4);
    const double middleOfRing = (layout.ringInner + layout.ringOuter) / 2;
    const double slot1 = angleIn(1, 0.5, 4);
    EXPECT_EQ(RingSlots::libraryTarget(at(slot1, middleOfRing), center, layout, scale, 4, {}),
              (LibraryDropTarget{1, std::nullopt}));
    EXPECT_EQ(RingSlots::libraryTarget(at(slot1, 5), center, layout, scale, 4, {}),
              LibraryDropTarget{});
    EXPECT_EQ(RingSlots::libraryTarget(at(slot1, layout.ringOuter + 20 * scale), center, layout,
                                       scale, 4, {}),
              LibraryDropTarget{});
    // Just beyond the ring still counts, so a chip need not sit on a wedge.
    EXPECT_EQ(RingSlots::libraryTarget(at(angleIn(2, 0.1, 4), layout.ringOuter + 10 * scale),
                                       center, layout, scale, 4, {}),
              (LibraryDropTarget{std::nullopt, 2}));
}

TEST(MoveElement, MovesWithinTheList) {
    struct Case {
        std::int64_t from, to;
        std::vector<int> expected;
        bool moved;
    };
    const Case cases[] = {
        {0, 3, {1, 2, 3, 0, 4}, true},  {4, 1, {0, 4, 1, 2, 3}, true},
        {2, 2, {0, 1, 2, 3, 4}, true},  {-1, 2, {0, 1, 2, 3, 4}, false},
        {1, 5, {0, 1, 2, 3, 4}, false},
    };
    for (const Case& c : cases) {
        std::vector<int> list{0, 1, 2, 3, 4};
        EXPECT_EQ(moveElement(list, c.from, c.to), c.moved) << c.from << " to " << c.to;
        EXPECT_EQ(list, c.expected) << c.from << " to " << c.to;
    }
}

} // namespace
} // namespace vellaro
