#include "platform/windows/FrameExtents.h"
#include "platform/windows/VisibleFrame.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

TEST(VisibleFrameTest, TheMonitorWithinTheWorkArea) {
    struct Case {
        const char* what;
        QRect monitor;
        std::optional<QRect> workArea;
        QRect expected;
    };
    const QRect screen(0, 0, 1440, 900);
    const QRect belowTopPanel(0, 30, 1440, 870);
    const Case cases[] = {
        {"no work area", screen, std::nullopt, screen},
        {"a panel on top", screen, belowTopPanel, belowTopPanel},
        {"right monitor under a panel across both", QRect(720, 0, 720, 900), belowTopPanel,
         QRect(720, 30, 720, 870)},
        {"left monitor, work area on the right one only", QRect(0, 0, 720, 900),
         QRect(720, 0, 720, 900), QRect(0, 0, 720, 900)},
        {"monitor left of the root's origin", QRect(-800, 0, 800, 600), QRect(-800, 0, 2240, 870),
         QRect(-800, 0, 800, 600)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(visibleFrame(c.monitor, c.workArea), c.expected) << c.what;
}

TEST(FrameExtentsTest, OuterFrameAndClientSizeAgree) {
    const FrameExtents extents{1, 2, 20, 4};
    const QRect client(10, 30, 100, 50);
    const QRect frame = extents.around(client);
    EXPECT_EQ(frame, QRect(9, 10, 103, 74));
    EXPECT_EQ(extents.clientSizeIn(frame.size()), client.size());
    EXPECT_EQ(FrameExtents{}.around(client), client) << "undecorated";
}

TEST(FrameExtentsTest, AClientIsNeverSmallerThanOnePixel) {
    const FrameExtents extents{4, 4, 24, 4};
    EXPECT_EQ(extents.clientSizeIn(QSize(8, 28)), QSize(1, 1));
    EXPECT_EQ(extents.clientSizeIn(QSize(0, 0)), QSize(1, 1));
    EXPECT_EQ(extents.clientSizeIn(QSize(9, 100)), QSize(1, 72));
}

} // namespace
} // namespace vellaro
