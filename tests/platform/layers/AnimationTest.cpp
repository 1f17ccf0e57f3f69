#include "platform/layers/LayerTree.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/Transaction.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace vellaro {
namespace {

const TimingFunction overshoot(0.3, 1.16, 0.35, 1.0);

class Animation : public testing::Test {
protected:
    Animation() { tree.root()->addSublayer(layer); }

    double shownOpacity() const { return layer->presentation().opacity; }

    test::ManualScheduler clock;
    LayerTree tree{clock};
    std::shared_ptr<ShapeLayer> layer = std::make_shared<ShapeLayer>();
};

TEST_F(Animation, ChangesInATransactionAnimateFromWhatWasShown) {
    {
        Transaction t(1.0, TimingFunction::linear());
        layer->setOpacity(0.0);
    }
    EXPECT_DOUBLE_EQ(layer->opacity(), 0.0); // the model changes at once
    EXPECT_DOUBLE_EQ(shownOpacity(), 1.0);
    clock.advance(500ms);
    EXPECT_NEAR(shownOpacity(), 0.5, 1e-9);
    EXPECT_EQ(layer->animationKeys(), QStringList({"opacity"}));

    // Interrupted half-way, the new animation starts where the old one was.
    {
        Transaction t(1.0, TimingFunction::linear());
        layer->setOpacity(1.0);
    }
    EXPECT_NEAR(shownOpacity(), 0.5, 1e-9);
    clock.advance(500ms);
    EXPECT_NEAR(shownOpacity(), 0.75, 1e-9);
    EXPECT_EQ(layer->animationKeys().size(), 1);
    clock.advance(600ms);
    EXPECT_DOUBLE_EQ(shownOpacity(), 1.0);
    EXPECT_FALSE(tree.settleAnimations(clock.now()));
    EXPECT_TRUE(layer->animationKeys().isEmpty());
}

TEST_F(Animation, EveryAnimatablePropertyInterpolates) {
    {
        auto t = Transaction::withoutAnimation();
        layer->setFillColor(QColor(0, 0, 0));
        layer->setShadowRadius(10);
    }
    {
        Transaction t(0.2, TimingFunction::linear());
        layer->setFillColor(QColor(200, 100, 0));
        layer->setShadowRadius(20);
        layer->setPosition(QPointF(40, -20));
        layer->setTransform(QTransform::fromScale(2, 2));
    }
    clock.advance(100ms);
    const LayerValues shown = layer->presentation();
    EXPECT_EQ(shown.fillColor.rgba(), qRgb(100, 50, 0));
    EXPECT_DOUBLE_EQ(shown.shadowRadius, 15);
    EXPECT_EQ(shown.position, QPointF(20, -10));
    EXPECT_TRUE(qFuzzyCompare(shown.transform, QTransform::fromScale(1.5, 1.5)));
}

TEST_F(Animation, DisabledActionsJumpAndStopARunningChange) {
    {
        Transaction t(1.0, TimingFunction::linear());
        layer->setOpacity(0.0);
    }
    clock.advance(250ms);
    {
        auto t = Transaction::withoutAnimation();
        layer->setOpacity(0.3);
        layer->setLineWidth(4);
    }
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.3);
    EXPECT_DOUBLE_EQ(layer->presentation().lineWidth, 4);
    EXPECT_TRUE(layer->animationKeys().isEmpty());
}

TEST_F(Animation, ZeroDurationAndDetachedLayersDoNotAnimate) {
    {
        Transaction t(0.0, TimingFunction::linear());
        layer->setOpacity(0.2);
    }
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.2);
    auto loose = std::make_shared<Layer>();
    {
        Transaction t(1.0, TimingFunction::linear());
        loose->setOpacity(0.2);
    }
    EXPECT_TRUE(loose->animationKeys().isEmpty());
    EXPECT_DOUBLE_EQ(loose->presentation().opacity, 0.2);
}

TEST_F(Animation, OutsideATransactionChangesTakeTheStandardQuarterSecond) {
    layer->setOpacity(0.0);
    const BasicAnimation* implicit = layer->animation("opacity");
    ASSERT_NE(implicit, nullptr);
    EXPECT_DOUBLE_EQ(implicit->duration, 0.25);
    EXPECT_EQ(implicit->timing, TimingFunction::standard());
    clock.advance(125ms);
    EXPECT_NEAR(shownOpacity(), 1.0 - TimingFunction::standard().valueAt(0.5), 1e-9);
}

TEST_F(Animation, NestedTransactionsInheritAndRestore) {
    Transaction outer(0.5, overshoot);
    {
        Transaction inner;
        EXPECT_DOUBLE_EQ(Transaction::currentDuration(), 0.5);
        EXPECT_EQ(Transaction::currentTimingFunction(), overshoot);
        inner.setDisableActions(true);
        EXPECT_TRUE(Transaction::actionsDisabled());
    }
    EXPECT_FALSE(Transaction::actionsDisabled());
    outer.setDuration(-1); // refused
    EXPECT_DOUBLE_EQ(Transaction::currentDuration(), 0.5);
}

TEST_F(Animation, ExplicitAnimationsPlayIntoTheModelValueByKey) {
    // The bloom's shape: a fade from 0 and a scale from 0.9 into values already set.
    layer->addAnimation("bloom-fade", {LayerProperty::Opacity, 0.0, std::nullopt, 0.22, overshoot});
    layer->addAnimation("bloom-scale", {LayerProperty::Transform, QTransform::fromScale(0.9, 0.9),
                                        std::nullopt, 0.22, overshoot});
    EXPECT_EQ(layer->animationKeys(), QStringList({"bloom-fade", "bloom-scale"}));
    EXPECT_DOUBLE_EQ(layer->opacity(), 1.0);
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.0);

    clock.advance(std::chrono::microseconds(154'000)); // 70%: past the end on this curve
    const double progress = overshoot.valueAt(0.7);
    EXPECT_GT(progress, 1.0);
    EXPECT_NEAR(layer->presentation().transform.m11(), 0.9 + 0.1 * progress, 1e-9);
    EXPECT_GT(layer->presentation().transform.m11(), 1.0);

    // The same key replaces the animation and starts it again.
    layer->addAnimation("bloom-fade", {LayerProperty::Opacity, 0.5, std::nullopt, 0.22, overshoot});
    EXPECT_EQ(layer->animationKeys(), QStringList({"bloom-scale", "bloom-fade"}));
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.5);

    layer->removeAnimation("bloom-fade");
    EXPECT_DOUBLE_EQ(shownOpacity(), 1.0);
    layer->removeAllAnimations();
    EXPECT_TRUE(layer->presentation().transform.isIdentity());
    EXPECT_FALSE(tree.settleAnimations(clock.now()));
}

TEST_F(Animation, ExplicitAnimationWithoutFromStartsAtTheShownValue) {
    {
        auto t = Transaction::withoutAnimation();
        layer->setOpacity(0.4);
    }
    layer->addAnimation("pulse", {LayerProperty::Opacity, std::nullopt, 1.0, 1.0, {}});
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.4);
    clock.advance(500ms);
    EXPECT_NEAR(shownOpacity(), 0.7, 1e-9);
    clock.advance(500ms);
    EXPECT_DOUBLE_EQ(shownOpacity(), 0.4); // ended: back to the model
}

TEST_F(Animation, BadExplicitAnimationsAreRefused) {
    layer->addAnimation("wrong kind",
                        {LayerProperty::Opacity, QPointF(1, 1), std::nullopt, 1.0, {}});
    layer->addAnimation("no time", {LayerProperty::Opacity, 0.0, std::nullopt, 0.0, {}});
    layer->addAnimation(
        "endless",
        {LayerProperty::Opacity, 0.0, std::nullopt, std::numeric_limits<double>::infinity(), {}});
    EXPECT_TRUE(layer->animationKeys().isEmpty());
}

TEST_F(Animation, AnimationAddedBeforeTheLayerIsShownStartsOnItsFirstFrame) {
    auto loose = std::make_shared<Layer>();
    loose->addAnimation("fade", {LayerProperty::Opacity, 0.0, std::nullopt, 1.0, {}});
    clock.advance(10s);
    tree.root()->addSublayer(loose);
    EXPECT_DOUBLE_EQ(loose->presentation().opacity, 0.0);
    clock.advance(250ms);
    EXPECT_NEAR(loose->presentation().opacity, 0.25, 1e-9);
}

TEST_F(Animation, SettlingReportsRunningAnimationsAnywhereInTheTree) {
    auto mask = std::make_shared<Layer>();
    layer->setMask(mask);
    mask->addAnimation("grow", {LayerProperty::Opacity, 0.0, std::nullopt, 0.1, {}});
    EXPECT_TRUE(tree.settleAnimations(clock.now()));
    clock.advance(100ms);
    EXPECT_FALSE(tree.settleAnimations(clock.now()));
    EXPECT_TRUE(mask->animationKeys().isEmpty());
}

} // namespace
} // namespace vellaro
