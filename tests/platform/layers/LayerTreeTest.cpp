#include "platform/layers/LayerTree.h"
#include "platform/layers/ShapeLayer.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

namespace vellaro {
namespace {

std::shared_ptr<Layer> named(const char* name) {
    auto layer = std::make_shared<Layer>();
    layer->setName(QString::fromLatin1(name));
    return layer;
}

QStringList names(const Layer& layer) {
    QStringList out;
    for (const auto& sublayer : layer.sublayers())
        out.append(sublayer->name());
    return out;
}

TEST(LayerTree, SublayersKeepTheirOrderAndMoveBetweenParents) {
    auto parent = named("parent");
    auto a = named("a"), b = named("b"), c = named("c");
    parent->addSublayer(a);
    parent->addSublayer(c);
    parent->insertSublayer(b, 1);
    EXPECT_EQ(names(*parent), QStringList({"a", "b", "c"}));
    EXPECT_EQ(b->superlayer(), parent.get());

    // Adding again moves it to the top.
    parent->addSublayer(a);
    EXPECT_EQ(names(*parent), QStringList({"b", "c", "a"}));

    auto other = named("other");
    other->addSublayer(c);
    EXPECT_EQ(names(*parent), QStringList({"b", "a"}));
    EXPECT_EQ(c->superlayer(), other.get());

    b->removeFromSuperlayer();
    EXPECT_EQ(b->superlayer(), nullptr);
    EXPECT_EQ(names(*parent), QStringList({"a"}));

    parent->insertSublayer(b, 99); // past the end: on top
    EXPECT_EQ(names(*parent), QStringList({"a", "b"}));
    parent->removeAllSublayers();
    EXPECT_TRUE(parent->sublayers().empty());
    EXPECT_EQ(a->superlayer(), nullptr);
}

TEST(LayerTree, RefusesCyclesAndMasksAsSublayers) {
    auto top = named("top"), middle = named("middle"), leaf = named("leaf");
    top->addSublayer(middle);
    middle->addSublayer(leaf);
    leaf->addSublayer(top);
    middle->addSublayer(middle);
    EXPECT_EQ(top->superlayer(), nullptr);
    EXPECT_EQ(names(*middle), QStringList({"leaf"}));

    auto mask = named("mask");
    top->setMask(mask);
    middle->addSublayer(mask);
    EXPECT_EQ(mask->superlayer(), nullptr);
    EXPECT_EQ(top->mask(), mask);
}

TEST(LayerTree, FindsDirectSublayersByName) {
    auto group = named("markGroup");
    group->addSublayer(named("markRing"));
    group->addSublayer(named("markDot"));
    group->sublayers()[0]->addSublayer(named("deep"));
    EXPECT_EQ(group->sublayerNamed(u"markDot"), group->sublayers()[1]);
    EXPECT_EQ(group->sublayerNamed(u"deep"), nullptr);
    EXPECT_EQ(group->sublayerNamed(u"missing"), nullptr);
}

TEST(LayerTree, LayersFindTheirTreeThroughSuperlayersAndMasks) {
    test::ManualScheduler clock;
    LayerTree tree(clock);
    int changes = 0;
    tree.setChangeHandler([&] { ++changes; });
    auto group = named("group"), mask = named("mask");
    EXPECT_EQ(group->tree(), nullptr);
    tree.root()->addSublayer(group);
    group->setMask(mask);
    EXPECT_EQ(group->tree(), &tree);
    EXPECT_EQ(mask->tree(), &tree);
    changes = 0;
    mask->setOpacity(0.5);
    EXPECT_EQ(changes, 1);
    group->removeFromSuperlayer();
    EXPECT_EQ(mask->tree(), nullptr);
}

TEST(LayerTree, FramePlacesTheBoundsAroundTheAnchor) {
    Layer layer;
    layer.setFrame(QRectF(10, 20, 40, 30));
    EXPECT_EQ(layer.position(), QPointF(30, 35));
    EXPECT_EQ(layer.bounds(), QRectF(0, 0, 40, 30));
    EXPECT_EQ(layer.frame(), QRectF(10, 20, 40, 30));
    // A scale about the centre grows the frame both ways.
    layer.setTransform(QTransform::fromScale(2, 2));
    EXPECT_EQ(layer.frame(), QRectF(-10, 5, 80, 60));
    layer.setAnchorPoint(QPointF(0, 0));
    EXPECT_EQ(layer.frame(), QRectF(30, 35, 80, 60));
}

TEST(LayerTree, ValuesThatAreNotFiniteAreIgnored) {
    Layer layer;
    layer.setOpacity(0.4);
    layer.setOpacity(std::numeric_limits<double>::quiet_NaN());
    layer.setPosition(QPointF(std::numeric_limits<double>::infinity(), 0));
    EXPECT_DOUBLE_EQ(layer.opacity(), 0.4);
    EXPECT_EQ(layer.position(), QPointF(0, 0));
}

// Two squares drawn the same way round overlap in (10..20): non-zero fills
// the overlap; a square drawn the other way round inside one cuts a hole.
QPainterPath overlappingSquares() {
    QPainterPath path;
    path.addRect(0, 0, 20, 20);
    path.addRect(10, 10, 20, 20);
    QPainterPath hole;
    hole.moveTo(2, 2);
    hole.lineTo(2, 6);
    hole.lineTo(6, 6);
    hole.lineTo(6, 2);
    hole.closeSubpath();
    path.addPath(hole);
    path.setFillRule(Qt::OddEvenFill); // the layer's rule wins
    return path;
}

TEST(LayerTree, ShapesContainPointsByTheNonZeroRule) {
    auto shape = std::make_shared<ShapeLayer>();
    shape->setFrame(QRectF(100, 100, 30, 30));
    shape->setPath(overlappingSquares());
    struct Case {
        QPointF point; // in the superlayer
        bool inside;
    };
    for (const Case& c : {Case{{115, 115}, true},   // overlap
                          Case{{105, 115}, true},   // first square only
                          Case{{125, 125}, true},   // second square only
                          Case{{104, 104}, false},  // the reversed hole
                          Case{{125, 105}, false},  // outside both
                          Case{{90, 90}, false}}) { // outside the layer
        EXPECT_EQ(shape->hitTest(c.point) == shape.get(), c.inside)
            << c.point.x() << "," << c.point.y();
    }
    shape->setFillRule(Qt::OddEvenFill);
    EXPECT_EQ(shape->hitTest(QPointF(115, 115)), nullptr);
}

TEST(LayerTree, HitTestFindsTheTopmostVisibleLayerThroughTransforms) {
    auto root = named("root");
    root->setFrame(QRectF(0, 0, 200, 200));
    auto lower = std::make_shared<ShapeLayer>();
    auto upper = std::make_shared<ShapeLayer>();
    for (const auto& shape : {lower, upper}) {
        shape->setFrame(QRectF(50, 50, 20, 20));
        QPainterPath square;
        square.addRect(0, 0, 20, 20);
        shape->setPath(square);
        root->addSublayer(shape);
    }
    EXPECT_EQ(root->hitTest(QPointF(60, 60)), upper.get());
    upper->setHidden(true);
    EXPECT_EQ(root->hitTest(QPointF(60, 60)), lower.get());
    // Scaled by 2 about its centre (60, 60) it reaches out to 40...80.
    lower->setTransform(QTransform::fromScale(2, 2));
    EXPECT_EQ(root->hitTest(QPointF(42, 78)), lower.get());
    EXPECT_EQ(root->hitTest(QPointF(38, 60)), root.get()); // the root's own bounds
    EXPECT_EQ(root->hitTest(QPointF(300, 60)), nullptr);
}

} // namespace
} // namespace vellaro
