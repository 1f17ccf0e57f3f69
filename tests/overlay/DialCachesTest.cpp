// What the dial keeps between showings: the blurred picture of the screen
// arrives after the first frame, and a hide lets go of everything the dial
// at rest does not draw, without changing what the next opening shows.

#include "DialFixture.h"
#include "overlay/MaterialBackdrop.h"
#include "platform/layers/LayerHostWidget.h"
#include "platform/layers/ShapeCoverageCache.h"

#include <QTest>
#include <gtest/gtest.h>

namespace vellaro::test {
namespace {

using namespace std::chrono_literals;

// A screen with hard edges everywhere, so its blurred copy differs from it.
QImage checkeredScreen(QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, ((x / 6 + y / 6) % 2) ? qRgb(250, 250, 250) : qRgb(20, 40, 90));
    return image;
}

// A dial without a compositor, opened and past its bloom.
struct OpenDialOverScreen : DialFixture {
    explicit OpenDialOverScreen(MaterialBackdrop::Blur blur) : DialFixture(1.0, false, 4, false) {
        view->backdrop().setSnapshot(checkeredScreen(view->size()), blur);
        view->send(MenuEvent::open());
        scheduler.advance(1s);
    }
    QImage frame() { return view->renderImage(1.0); }
};

TEST(DialBackdrop, BlurMadeOnAWorkerIsDrawnOnceReady) {
    OpenDialOverScreen expected(MaterialBackdrop::Blur::now);
    OpenDialOverScreen dial(MaterialBackdrop::Blur::onWorker);
    const QPoint core = dial.view->center().toPoint() + QPoint(0, 20);
    const QPoint outside(4, 4);

    // Before the blur is ready the dial draws over the sharp picture.
    if (!dial.view->backdrop().hasBlur()) {
        EXPECT_NE(dial.frame().pixel(core), expected.frame().pixel(core));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return dial.view->backdrop().hasBlur(); }, 5000));

    // It fades in: halfway it is neither, at the end it is the blurred look.
    dial.scheduler.advance(MaterialBackdrop::fadeDuration / 2);
    EXPECT_NE(dial.frame().pixel(core), expected.frame().pixel(core));
    EXPECT_TRUE(dial.view->backdrop().fadingIn());
    dial.scheduler.advance(MaterialBackdrop::fadeDuration);
    EXPECT_FALSE(dial.view->backdrop().fadingIn());
    EXPECT_EQ(dial.frame(), expected.frame());
    EXPECT_EQ(dial.frame().pixel(outside), checkeredScreen(dial.view->size()).pixel(outside));
}

TEST(DialCaches, HideKeepsOnlyWhatTheDialAtRestDraws) {
    ShapeCoverageCache& shapes = ShapeCoverageCache::shared();
    shapes.clear();
    OpenDialOverScreen dial(MaterialBackdrop::Blur::now);
    RadialMenuView& view = *dial.view;
    LayerRenderer& renderer = view.findChild<LayerHostWidget*>()->renderer();
    const QImage atRest = dial.frame();
    const std::size_t restShapes = shapes.byteCount();
    const std::size_t restShadows = renderer.shadowCache().byteCount();

    // Hover round the ring, open a fan and go through its items.
    for (int section = 0; section < 6; ++section) {
        view.send(MenuEvent::pointerMoved(RadialHit::wedge(section)));
        dial.scheduler.advance(50ms);
        dial.frame();
    }
    view.send(MenuEvent::primaryAction(RadialHit::wedge(2)));
    for (int item = 0; item < 4; ++item) {
        view.send(MenuEvent::pointerMoved(RadialHit::fanItem(item)));
        dial.scheduler.advance(50ms);
        dial.frame();
    }
    view.send(MenuEvent::escape()); // back to the ring
    view.send(MenuEvent::pointerMoved(RadialHit::core()));
    dial.scheduler.advance(1s);
    EXPECT_EQ(dial.frame(), atRest);
    ASSERT_GT(shapes.byteCount(), restShapes);
    ASSERT_GT(renderer.shadowCache().byteCount(), restShadows);

    view.send(MenuEvent::escape()); // closes the dial
    view.panelDidHide();
    EXPECT_LE(shapes.byteCount(), restShapes);
    EXPECT_LE(renderer.shadowCache().byteCount(), restShadows);
    EXPECT_EQ(renderer.scratchBytes(), 0u);
    EXPECT_EQ(view.backdrop().byteCount(), 0u);

    view.backdrop().setSnapshot(checkeredScreen(view.size()));
    view.send(MenuEvent::open());
    dial.scheduler.advance(1s);
    EXPECT_EQ(dial.frame(), atRest);
}

TEST(DialCaches, WarmUpReadiesTheFirstOpeningAndKeepsWhatAHiddenDialKeeps) {
    ShapeCoverageCache& shapes = ShapeCoverageCache::shared();
    shapes.clear();
    DialFixture warmed(1.0, false, 4, false);
    warmed.view->warmUp();
    EXPECT_GT(shapes.byteCount(), 0u) << "the ring's shapes are ready";
    EXPECT_EQ(warmed.view->findChild<LayerHostWidget*>()->renderer().scratchBytes(), 0u);
    EXPECT_EQ(warmed.view->backdrop().byteCount(), 0u);
    EXPECT_EQ(warmed.view->state(), MenuState::closed());

    // Its first opening draws what a dial never drawn before draws.
    shapes.clear();
    OpenDialOverScreen fresh(MaterialBackdrop::Blur::now);
    warmed.view->backdrop().setSnapshot(checkeredScreen(warmed.view->size()),
                                        MaterialBackdrop::Blur::now);
    warmed.view->send(MenuEvent::open());
    warmed.scheduler.advance(1s);
    EXPECT_EQ(warmed.view->renderImage(1.0), fresh.frame());
}

} // namespace
} // namespace vellaro::test
