#include "workspaces/RestoreReportHUD.h"

#include "support/ManualScheduler.h"
#include "workspaces/RestoreReportView.h"

#include <QDir>
#include <QImage>
#include <QPointer>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;

TEST(RestoreReportContent, TextAndSymbol) {
    struct Case {
        std::int64_t restored;
        std::int64_t total;
        const char* text;
        const char* symbol;
        QColor tint;
    };
    const QColor green(52, 199, 89);
    const QColor orange(255, 149, 0);
    const Case cases[] = {
        {5, 7, "Desk — restored 5 of 7 windows", "exclamationmark.triangle.fill", orange},
        {7, 7, "Desk — restored 7 windows", "checkmark.circle.fill", green},
        {0, 0, "Desk — restored 0 windows", "checkmark.circle.fill", green},
        {0, 3, "Desk — restored 0 of 3 windows", "exclamationmark.triangle.fill", orange},
    };
    for (const Case& c : cases) {
        const auto content =
            RestoreReportContent::make(QStringLiteral("Desk"), c.restored, c.total);
        EXPECT_EQ(content.text, QString::fromUtf8(c.text));
        EXPECT_EQ(content.complete, c.restored == c.total);
        EXPECT_EQ(content.symbol, QLatin1String(c.symbol));
        EXPECT_EQ(content.tint, c.tint);
    }
}

class RestoreReportHUDTest : public ::testing::Test {
protected:
    test::ManualScheduler scheduler;
    QRect frame{100, 50, 800, 600};
    bool compositing = true;
    RestoreReportHUD hud{scheduler, [this] { return frame; }, [this] { return compositing; }};
};

TEST_F(RestoreReportHUDTest, FloatsWithoutFocusCentredUnderTheTop) {
    hud.show(QStringLiteral("Desk"), 3, 3);
    RestoreReportView* panel = hud.panel();
    ASSERT_TRUE(panel);
    EXPECT_TRUE(panel->isVisible());
    const Qt::WindowFlags flags = panel->windowFlags();
    for (const Qt::WindowType flag : {Qt::FramelessWindowHint, Qt::WindowStaysOnTopHint,
                                      Qt::X11BypassWindowManagerHint, Qt::WindowDoesNotAcceptFocus})
        EXPECT_TRUE(flags.testFlag(flag)) << flag;
    EXPECT_TRUE(panel->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_FALSE(panel->isActiveWindow());
    EXPECT_EQ(panel->geometry().top(), 50 + 24);
    EXPECT_LE(std::abs(panel->geometry().center().x() - 500), 1);
    EXPECT_EQ(panel->size(), panel->sizeHint());
}

TEST_F(RestoreReportHUDTest, ASecondReportReplacesTheFirstAndGetsItsOwnFourSeconds) {
    hud.show(QStringLiteral("First"), 1, 2);
    QPointer<RestoreReportView> first = hud.panel();
    scheduler.advance(3s);
    ASSERT_TRUE(first);

    hud.show(QStringLiteral("Second"), 2, 2);
    EXPECT_FALSE(first) << "the first panel is gone at once";
    QPointer<RestoreReportView> second = hud.panel();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->content().text, QStringLiteral("Second — restored 2 windows"));
    EXPECT_EQ(scheduler.pendingCount(), 1u) << "the first hide was cancelled";

    scheduler.advance(3999ms);
    EXPECT_TRUE(second && second->isVisible()) << "four seconds from its own show";
    scheduler.advance(1ms);
    EXPECT_FALSE(second);
    EXPECT_EQ(hud.panel(), nullptr);
}

TEST_F(RestoreReportHUDTest, WithoutAFrameThePanelStaysWhereItWasMade) {
    frame = QRect();
    hud.show(QStringLiteral("Desk"), 1, 1);
    ASSERT_TRUE(hud.panel());
    EXPECT_TRUE(hud.panel()->isVisible());
}

QImage rendered(RestoreReportView& panel, QColor backdrop) {
    QImage image(panel.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(backdrop);
    // A masked widget renders its mask's bounding box at the target offset.
    const QPoint offset = panel.mask().isEmpty() ? QPoint() : panel.mask().boundingRect().topLeft();
    panel.render(&image, offset, QRegion(), QWidget::DrawChildren);
    return image;
}

bool near(QColor a, QColor b, int tolerance = 24) {
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

TEST_F(RestoreReportHUDTest, DrawsTheSymbolInItsColourInsideTheCapsule) {
    const QColor backdrop(255, 0, 255);
    QDir().mkpath(QStringLiteral(VELLARO_TEST_OUTPUT_DIR));
    struct Case {
        bool compositing;
        std::int64_t restored;
        QColor tint;
        QPointF probe; // inside the symbol's ink, as a fraction of its box
        const char* picture;
    };
    const Case cases[] = {
        {true, 3, QColor(52, 199, 89), {0.15, 0.5}, "report-complete-translucent.png"},
        {true, 2, QColor(255, 149, 0), {0.3, 0.85}, "report-partial-translucent.png"},
        {false, 3, QColor(52, 199, 89), {0.15, 0.5}, "report-complete-opaque.png"},
        {false, 2, QColor(255, 149, 0), {0.3, 0.85}, "report-partial-opaque.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        compositing = c.compositing;
        hud.show(QStringLiteral("Morning desk"), c.restored, 3);
        RestoreReportView& panel = *hud.panel();
        EXPECT_EQ(panel.isTranslucent(), c.compositing);
        EXPECT_EQ(panel.testAttribute(Qt::WA_TranslucentBackground), c.compositing);
        const QImage image = rendered(panel, backdrop);
        image.save(QStringLiteral(VELLARO_TEST_OUTPUT_DIR "/") + QLatin1String(c.picture));

        const QRect symbol = panel.symbolRect();
        const QPoint ink(symbol.left() + int(c.probe.x() * symbol.width()),
                         symbol.top() + int(c.probe.y() * symbol.height()));
        EXPECT_TRUE(near(image.pixelColor(ink), c.tint, 40))
            << image.pixelColor(ink).name().toStdString();
        EXPECT_TRUE(panel.capsuleRect().contains(symbol));

        // Just inside the capsule, between symbol and text: the material.
        const QPoint body(symbol.right() + 4, panel.capsuleRect().center().y());
        const QColor material = image.pixelColor(body);
        const QPoint corner(1, 1);
        if (c.compositing) {
            EXPECT_TRUE(panel.mask().isEmpty());
            EXPECT_EQ(image.pixelColor(corner), backdrop) << "nothing drawn outside the capsule";
            EXPECT_FALSE(near(material, backdrop)) << "the material covers the desktop";
            EXPECT_GT(material.red() - material.green(), 10) << "and lets it show through";
        } else {
            EXPECT_FALSE(panel.mask().contains(corner)) << "cut to the capsule";
            EXPECT_TRUE(panel.mask().contains(body));
            EXPECT_TRUE(near(material, QColor(246, 246, 248), 4)) << "opaque";
        }
    }
}

} // namespace
} // namespace vellaro
