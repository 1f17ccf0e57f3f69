#include "platform/layers/LayerHostWidget.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/Transaction.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <QApplication>

using namespace std::chrono_literals;

namespace vellaro {
namespace {

class Host : public testing::Test {
protected:
    Host() {
        widget.resize(120, 80);
        widget.show();
        auto t = Transaction::withoutAnimation();
        shape->setFrame(QRectF(10, 10, 40, 40));
        QPainterPath square;
        square.addRect(0, 0, 40, 40);
        shape->setPath(square);
        shape->setFillColor(Qt::red);
        widget.rootLayer()->addSublayer(shape);
    }

    // Paints one frame now (grab() runs the paint event at once, exposed or not).
    void paintFrame() { widget.grab(); }

    test::ManualScheduler clock;
    LayerHostWidget widget{clock};
    std::shared_ptr<ShapeLayer> shape = std::make_shared<ShapeLayer>();
};

TEST_F(Host, RootLayerCoversTheWidget) {
    EXPECT_EQ(widget.rootLayer()->frame(), QRectF(0, 0, 120, 80));
    widget.resize(200, 150);
    EXPECT_EQ(widget.rootLayer()->frame(), QRectF(0, 0, 200, 150));
}

TEST_F(Host, TicksWhileAnimatingAndStopsWhenIdle) {
    paintFrame();
    EXPECT_FALSE(widget.isTicking());

    shape->addAnimation("fade", {LayerProperty::Opacity, 0.0, std::nullopt, 0.05, {}});
    paintFrame();
    EXPECT_TRUE(widget.isTicking());
    int frames = 0;
    while (widget.isTicking() && frames < 100) {
        clock.advance(LayerHostWidget::frameInterval());
        paintFrame();
        ++frames;
    }
    EXPECT_FALSE(widget.isTicking());
    EXPECT_GE(frames, 3);
    EXPECT_LE(frames, 4);
    EXPECT_TRUE(shape->animationKeys().isEmpty());
    EXPECT_EQ(clock.pendingCount(), 0u);
}

TEST_F(Host, DrawsTheTreeIntoTheWidget) {
    const QImage shot = widget.grab().toImage();
    EXPECT_EQ(shot.pixelColor(QPoint(30, 30) * shot.devicePixelRatio()), QColor(Qt::red));
}

TEST_F(Host, ForgetsItsTickWhenDestroyed) {
    {
        LayerHostWidget temporary(clock);
        temporary.resize(10, 10);
        temporary.show();
        temporary.rootLayer()->addAnimation("fade",
                                            {LayerProperty::Opacity, 0.0, std::nullopt, 1.0, {}});
        temporary.grab();
        EXPECT_TRUE(temporary.isTicking());
    }
    clock.advance(1s); // would call into the destroyed widget
    SUCCEED();
}

} // namespace
} // namespace vellaro
