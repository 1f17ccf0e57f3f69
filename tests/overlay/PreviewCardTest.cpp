#include "model/MenuItem.h"
#include "overlay/FanPreviewCard.h"
#include "overlay/PreviewCardGeometry.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

namespace G = PreviewCardGeometry;

TEST(PreviewCardGeometry, ImagesShrinkToFitAndNeverGrow) {
    const struct {
        QSizeF image, shown;
    } cases[] = {
        {{520, 100}, {260, 50}},
        {{100, 400}, {40, 160}},
        {{50, 50}, {50, 50}},
        {{0, 0}, {0, 0}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(G::imageSize(c.image), c.shown) << c.image.width() << "x" << c.image.height();
}

TEST(PreviewCardGeometry, NearSideFacesTheDialAndStaysOnScreen) {
    const QRectF screen(0, 0, 1000, 800);
    const QSizeF card(100, 60);
    const struct {
        const char* what;
        QPointF anchor, direction;
        QPointF origin;
    } cases[] = {
        // Pointing right: left edge 18 beyond the anchor, centred vertically.
        {"right", {500, 400}, {1, 0}, {518, 370}},
        // Pointing up on screen: the bottom edge 18 above the anchor.
        {"up", {500, 400}, {0, -1}, {450, 322}},
        {"down", {500, 400}, {0, 1}, {450, 418}},
        // Near the right edge the card is pushed inside, even over the dial.
        {"right edge", {950, 400}, {1, 0}, {892, 370}},
        {"top edge", {500, 20}, {0, -1}, {450, 8}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(G::origin(c.anchor, c.direction, card, screen), c.origin) << c.what;

    // Taller than the screen: the top edge wins, 8 below the top.
    EXPECT_EQ(G::origin({500, 400}, {1, 0}, {100, 900}, screen).y(), 8);
    // No screen: unclamped.
    EXPECT_EQ(G::origin({950, 400}, {1, 0}, card, std::nullopt), QPointF(968, 370));
}

class PreviewCardShow : public testing::Test {
protected:
    FanPreviewCard card;
    const FanPreviewCard::Colors colors{Qt::blue, Qt::white, Qt::black, Qt::gray};
    const QPointF anchor = QGuiApplication::primaryScreen()->availableGeometry().center();
};

TEST_F(PreviewCardShow, AnItemWithoutPreviewChangesNothing) {
    card.show(MenuItem("plain", MenuItem::Icon::symbol("folder")), colors, anchor, {1, 0});
    EXPECT_FALSE(card.isVisible());
}

TEST_F(PreviewCardShow, TextIsBoundedAndAnotherShowReplacesIt) {
    MenuItem item("long", MenuItem::Icon::symbol("doc"));
    item.preview = MenuItem::Preview::text(QString("many words ").repeated(200));
    card.show(item, colors, anchor, {1, 0});
    ASSERT_TRUE(card.isVisible());
    ASSERT_NE(card.textLabel(), nullptr);
    EXPECT_LE(card.textLabel()->height(), 150);
    EXPECT_LE(card.width(), 284);

    MenuItem picture("pic", MenuItem::Icon::symbol("photo"));
    QImage image(520, 100, QImage::Format_ARGB32);
    image.fill(Qt::red);
    picture.preview = MenuItem::Preview::image(image);
    picture.previewCaption = QString("caption ").repeated(40);
    card.show(picture, colors, anchor, {1, 0});
    EXPECT_EQ(card.textLabel(), nullptr);
    ASSERT_NE(card.imageLabel(), nullptr);
    EXPECT_EQ(card.imageLabel()->size(), QSize(260, 50));
    ASSERT_NE(card.captionLabel(), nullptr);
    EXPECT_TRUE(card.captionLabel()->text().endsWith(QChar(0x2026)));
    // The caption sits under the image, 6 points apart.
    EXPECT_EQ(card.captionLabel()->y(), card.imageLabel()->geometry().bottom() + 1 + 6);
    EXPECT_EQ(card.findChildren<QLabel*>().size(), 2);
}

TEST_F(PreviewCardShow, AShortTextTakesOneLineAsWideAsItIs) {
    MenuItem item("clip", MenuItem::Icon::symbol("doc"));
    item.preview = MenuItem::Preview::text("Clipboard text 4");
    card.show(item, colors, anchor, {1, 0});
    ASSERT_NE(card.textLabel(), nullptr);
    const QFontMetricsF metrics(card.textLabel()->font());
    EXPECT_LT(card.textLabel()->height(), 2 * metrics.lineSpacing()) << "one line";
    EXPECT_GE(card.textLabel()->width(), metrics.horizontalAdvance("Clipboard text 4"));
    EXPECT_EQ(card.width(), card.textLabel()->width() + 24);
    EXPECT_EQ(card.height(), card.textLabel()->height() + 24);
}

// Without a compositor nothing is translucent: the window itself is cut to
// the rounded card.
TEST_F(PreviewCardShow, AnOpaqueCardIsMaskedToItsRoundedShape) {
    FanPreviewCard opaque(false);
    MenuItem item("clip", MenuItem::Icon::symbol("doc"));
    item.preview = MenuItem::Preview::text("Clipboard text 4");
    opaque.show(item, colors, anchor, {1, 0});
    const QRegion mask = opaque.mask();
    ASSERT_FALSE(mask.isEmpty());
    const QRect r = opaque.rect();
    for (const QPoint corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()})
        EXPECT_FALSE(mask.contains(corner)) << corner.x() << "," << corner.y();
    EXPECT_TRUE(mask.contains(r.center()));
    EXPECT_TRUE(mask.contains(QPoint(r.center().x(), 1)));
    EXPECT_TRUE(card.mask().isEmpty()) << "a translucent card draws its own corners";
}

TEST_F(PreviewCardShow, IsAClickThroughToolWindowThatNeverTakesFocus) {
    const auto flags = card.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_EQ(card.windowType(), Qt::ToolTip);
}

} // namespace
} // namespace vellaro
