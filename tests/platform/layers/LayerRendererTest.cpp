#include "platform/layers/LayerRenderer.h"
#include "platform/layers/ImageLayer.h"
#include "platform/layers/LayerTree.h"
#include "platform/layers/ShadowCache.h"
#include "platform/layers/ShapeCoverageCache.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"
#include "platform/layers/Transaction.h"
#include "support/ManualScheduler.h"

#include <gtest/gtest.h>

#include <QDir>
#include <cmath>
#include <functional>
#include <numbers>

using namespace std::chrono_literals;

namespace vellaro {
namespace {

constexpr qreal kRatio = 2.0;

QPainterPath rect(qreal w, qreal h) {
    QPainterPath path;
    path.addRect(0, 0, w, h);
    return path;
}

std::shared_ptr<ShapeLayer> box(const QRectF& frame, const QColor& fill) {
    auto shape = std::make_shared<ShapeLayer>();
    shape->setFrame(frame);
    shape->setPath(rect(frame.width(), frame.height()));
    shape->setFillColor(fill);
    return shape;
}

class Rendering : public testing::Test {
protected:
    Rendering() {
        root->setAnchorPoint({0, 0});
        root->setBounds(QRectF(0, 0, 100, 100));
    }

    void render() { image = renderer.renderToImage(*root, QSizeF(100, 100), kRatio, {}); }

    // The colour at a point given in layer units.
    QColor at(qreal x, qreal y) const {
        return image.pixelColor(QPoint(int(x * kRatio), int(y * kRatio)));
    }
    int alphaAt(qreal x, qreal y) const { return at(x, y).alpha(); }

    bool blank() const {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(image.pixel(x, y)) != 0)
                    return false;
        return true;
    }

    std::shared_ptr<Layer> root = std::make_shared<Layer>();
    LayerRenderer renderer;
    QImage image;
};

TEST_F(Rendering, FillsAndStrokesAShapeAtThePixelRatio) {
    auto shape = box(QRectF(10, 10, 40, 40), Qt::red);
    shape->setStrokeColor(Qt::blue);
    shape->setLineWidth(4);
    root->addSublayer(shape);
    render();
    EXPECT_EQ(image.size(), QSize(200, 200));
    EXPECT_EQ(at(30, 30), QColor(Qt::red));
    EXPECT_EQ(at(11, 30), QColor(Qt::blue)); // the stroke straddles the edge at 10
    EXPECT_EQ(at(9, 30), QColor(Qt::blue));
    EXPECT_EQ(alphaAt(7, 30), 0);
    EXPECT_EQ(alphaAt(60, 60), 0);
}

TEST_F(Rendering, DrawsTheSameSceneAtEveryPixelRatio) {
    auto shape = box(QRectF(20, 20, 40, 20), Qt::red);
    shape->setShadowOpacity(1);
    shape->setShadowRadius(6);
    shape->setShadowOffset({0, 6});
    root->addSublayer(shape);
    for (qreal ratio : {1.0, 1.5, 2.0, 3.0}) {
        const QImage frame = renderer.renderToImage(*root, QSizeF(100, 100), ratio, {});
        const auto probe = [&](qreal x, qreal y) {
            return frame.pixelColor(QPoint(int(x * ratio), int(y * ratio)));
        };
        EXPECT_EQ(frame.size(), QSize(int(100 * ratio), int(100 * ratio)));
        EXPECT_EQ(probe(21, 21), QColor(Qt::red)) << ratio;
        EXPECT_EQ(probe(59, 39), QColor(Qt::red)) << ratio;
        EXPECT_EQ(probe(8, 30).alpha(), 0) << ratio;
        EXPECT_GT(probe(40, 44).alpha(), 90) << ratio; // shadow below
        EXPECT_LT(probe(40, 17).alpha(), 20) << ratio;
    }
}

TEST_F(Rendering, HiddenAndTransparentLayersDrawNothing) {
    auto hidden = box(QRectF(10, 10, 40, 40), Qt::red);
    hidden->setHidden(true);
    auto clear = box(QRectF(50, 50, 40, 40), Qt::red);
    clear->setOpacity(0);
    auto parentHidden = std::make_shared<Layer>();
    parentHidden->setHidden(true);
    parentHidden->addSublayer(box(QRectF(0, 0, 100, 100), Qt::green));
    for (const auto& layer :
         {std::shared_ptr<Layer>(hidden), std::shared_ptr<Layer>(clear), parentHidden})
        root->addSublayer(layer);
    render();
    EXPECT_TRUE(blank());
}

TEST_F(Rendering, OpacityOfAGroupAppliesToTheGroupAsAWhole) {
    auto single = box(QRectF(0, 0, 20, 20), Qt::red);
    single->setOpacity(0.5);
    auto group = std::make_shared<Layer>();
    group->setFrame(QRectF(40, 40, 60, 60));
    group->addSublayer(box(QRectF(0, 0, 30, 30), Qt::red));
    group->addSublayer(box(QRectF(10, 10, 30, 30), Qt::blue));
    group->setOpacity(0.5);
    root->addSublayer(single);
    root->addSublayer(group);
    render();
    EXPECT_NEAR(alphaAt(10, 10), 128, 2);
    // Where the two overlap only the upper one shows, at half strength.
    const QColor overlap = at(60, 60);
    EXPECT_NEAR(overlap.alpha(), 128, 2);
    EXPECT_EQ(overlap.red(), 0);
    EXPECT_NEAR(at(45, 45).alpha(), 128, 2);
}

TEST_F(Rendering, AFadedGroupScalesAsAWholeAboutItsAnchor) {
    auto group = std::make_shared<Layer>();
    group->setFrame(QRectF(30, 30, 40, 40));
    group->addSublayer(box(QRectF(10, 10, 20, 20), Qt::red)); // 40...60 in the root
    group->addSublayer(box(QRectF(15, 15, 10, 10), Qt::blue));
    group->setOpacity(0.5);
    group->setTransform(QTransform::fromScale(1.5, 1.5)); // about (50, 50): 35...65
    root->addSublayer(group);
    render();
    EXPECT_NEAR(alphaAt(37, 50), 128, 3);
    EXPECT_EQ(at(37, 50).red(), 255);
    EXPECT_EQ(alphaAt(33, 50), 0);
    EXPECT_NEAR(alphaAt(50, 50), 128, 3); // blue over red, faded once
    EXPECT_EQ(at(50, 50).red(), 0);
    EXPECT_EQ(at(41, 50).blue(), 0); // the blue square grew to 42.5...57.5
    EXPECT_GT(at(44, 50).blue(), 250);
}

TEST_F(Rendering, AMaskLetsThroughOnlyWhereItIsOpaque) {
    auto shape = box(QRectF(20, 20, 60, 60), Qt::red);
    auto circle = std::make_shared<ShapeLayer>();
    circle->setFrame(QRectF(0, 0, 60, 60));
    QPainterPath disc;
    disc.addEllipse(QPointF(30, 30), 15, 15);
    circle->setPath(disc);
    shape->setMask(circle);
    root->addSublayer(shape);
    render();
    EXPECT_EQ(at(50, 50), QColor(Qt::red));
    EXPECT_EQ(alphaAt(25, 25), 0);
    EXPECT_EQ(alphaAt(50, 30), 0);
    EXPECT_EQ(alphaAt(50, 38), 255);
}

TEST_F(Rendering, TransformsScaleAboutTheAnchorPoint) {
    auto centred = box(QRectF(40, 40, 20, 20), Qt::red);
    centred->setTransform(QTransform::fromScale(2, 2));
    root->addSublayer(centred);
    render();
    EXPECT_EQ(alphaAt(32, 50), 255);
    EXPECT_EQ(alphaAt(68, 68), 255);
    EXPECT_EQ(alphaAt(28, 50), 0);

    centred->setAnchorPoint({0, 0});
    centred->setPosition({40, 40});
    render();
    EXPECT_EQ(alphaAt(32, 50), 0);
    EXPECT_EQ(alphaAt(78, 78), 255);
}

TEST_F(Rendering, ShadowFallsTowardsPositiveYBelowTheShape) {
    auto shape = box(QRectF(30, 30, 40, 20), Qt::white);
    shape->setShadowColor(Qt::black);
    shape->setShadowOpacity(1);
    shape->setShadowRadius(4);
    shape->setShadowOffset({0, 4});
    root->addSublayer(shape);
    render();
    const int below = alphaAt(50, 53);
    const int above = alphaAt(50, 27);
    EXPECT_GT(below, 100);
    EXPECT_LT(above, below / 3);
    EXPECT_EQ(at(50, 40), QColor(Qt::white)); // under the shape itself
    EXPECT_EQ(alphaAt(50, 70), 0);            // beyond the blur's reach
}

TEST_F(Rendering, ShadowPathCastsAShadowForAGroupWithoutContents) {
    auto group = std::make_shared<Layer>();
    group->setFrame(QRectF(20, 20, 40, 40));
    QPainterPath disc;
    disc.addEllipse(QPointF(20, 20), 10, 10);
    group->setShadowPath(disc);
    group->setShadowOpacity(1);
    group->setShadowRadius(0);
    group->setShadowOffset({0, 0});
    root->addSublayer(group);
    render();
    EXPECT_EQ(at(40, 40), QColor(Qt::black));
    EXPECT_EQ(alphaAt(22, 22), 0);
}

TEST_F(Rendering, ShadowsAreBlurredOncePerPathRadiusAndRatio) {
    auto shape = box(QRectF(30, 30, 40, 20), Qt::white);
    shape->setShadowOpacity(0.5);
    shape->setShadowRadius(6);
    root->addSublayer(shape);
    render();
    render();
    EXPECT_EQ(renderer.shadowCache().entryCount(), 1u);
    shape->setShadowColor(Qt::blue);
    render();
    EXPECT_EQ(renderer.shadowCache().entryCount(), 1u); // only tinted again
    shape->setShadowRadius(9);
    render();
    EXPECT_EQ(renderer.shadowCache().entryCount(), 2u);
    renderer.shadowCache().setByteBudget(0);
    EXPECT_EQ(renderer.shadowCache().entryCount(), 0u);
    render(); // still draws with nothing kept
    EXPECT_GT(alphaAt(50, 54), 0);
}

// A shape too large to blur casts no shadow, yet each one is remembered:
// growing through such sizes frame after frame must not pile them up.
TEST(ShadowCacheBudget, ShapesTooLargeForAShadowStayWithinTheBudget) {
    ShadowCache cache;
    cache.setByteBudget(64u << 10);
    for (int frame = 0; frame < 2000; ++frame) {
        const ShadowCache::Shadow shadow =
            cache.shadow(rect(5000 + frame, 40), 6, 1.0, QColor(0, 0, 0, 128));
        ASSERT_EQ(shadow.image, nullptr);
    }
    EXPECT_LT(cache.entryCount(), 1000u);
    cache.setByteBudget(0);
    EXPECT_EQ(cache.entryCount(), 0u);
}

TEST_F(Rendering, TextStaysInsideItsBoundsInItsColour) {
    auto text = std::make_shared<TextLayer>();
    text->setFrame(QRectF(10, 40, 30, 16));
    text->setText(QStringLiteral("Workspaces and more words"));
    QFont font;
    font.setPointSizeF(12);
    text->setFont(font);
    text->setForegroundColor(Qt::red);
    text->setAlignment(Qt::AlignHCenter);
    text->setTruncationMode(Qt::ElideRight);
    root->addSublayer(text);
    render();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 0)
                continue;
            const QPointF p(x / kRatio, y / kRatio);
            EXPECT_TRUE(QRectF(10, 40, 30, 16).contains(p)) << x << "," << y;
            if (c.alpha() > 200) {
                ++inked;
                EXPECT_GT(c.red(), 240);
                EXPECT_LT(c.green() + c.blue(), 30);
            }
        }
    }
    EXPECT_GT(inked, 20);
}

TEST_F(Rendering, ImageGravityPlacesTheBitmap) {
    QImage green(10, 10, QImage::Format_ARGB32);
    green.fill(Qt::green);
    auto image = std::make_shared<ImageLayer>();
    image->setFrame(QRectF(0, 0, 40, 40));
    image->setImage(green);
    root->addSublayer(image);
    struct Case {
        ContentsGravity gravity;
        qreal scale;
        QPointF filled, empty;
    };
    for (const Case& c : {Case{ContentsGravity::Resize, 1, {2, 38}, {45, 45}},
                          Case{ContentsGravity::Center, 1, {20, 20}, {10, 10}},
                          Case{ContentsGravity::Center, 2, {21, 21}, {16, 16}},
                          Case{ContentsGravity::TopLeft, 1, {2, 2}, {20, 20}},
                          Case{ContentsGravity::Bottom, 1, {20, 38}, {20, 20}},
                          Case{ContentsGravity::ResizeAspect, 1, {2, 2}, {45, 45}}}) {
        image->setContentsGravity(c.gravity);
        image->setContentsScale(c.scale);
        render();
        EXPECT_EQ(alphaAt(c.filled.x(), c.filled.y()), 255) << int(c.gravity);
        EXPECT_EQ(alphaAt(c.empty.x(), c.empty.y()), 0) << int(c.gravity);
    }
}

TEST_F(Rendering, AFrameShowsAnimationsAtTheGivenTime) {
    test::ManualScheduler clock;
    LayerTree tree(clock);
    auto shape = box(QRectF(0, 0, 50, 50), Qt::red);
    tree.root()->addSublayer(shape);
    {
        Transaction t(1.0, TimingFunction::linear());
        shape->setFillColor(Qt::blue);
        shape->setPosition({75, 75});
    }
    clock.advance(500ms);
    image = renderer.renderToImage(*tree.root(), QSizeF(100, 100), kRatio, clock.now());
    const QColor mid = at(50, 50); // the square now spans 25...75
    EXPECT_NEAR(mid.red(), 128, 2);
    EXPECT_NEAR(mid.blue(), 128, 2);
    EXPECT_EQ(alphaAt(20, 20), 0);
}

TEST_F(Rendering, HugeAndEmptyGeometryIsSkippedWithoutHarm) {
    QPainterPath huge;
    huge.addRect(-1e12, -1e12, 2e12, 2e12);
    auto vast = std::make_shared<ShapeLayer>();
    vast->setPath(huge);
    vast->setFillColor(QColor(0, 0, 255, 40));
    vast->setShadowOpacity(1);
    auto wide = std::make_shared<TextLayer>();
    wide->setFrame(QRectF(0, 0, 1e9, 20));
    wide->setText(QStringLiteral("wide"));
    auto empty = std::make_shared<ShapeLayer>();
    empty->setShadowOpacity(1);
    auto group = std::make_shared<Layer>();
    group->setOpacity(0.5);
    group->setShadowPath(huge);
    group->setShadowOpacity(1);
    for (const std::shared_ptr<Layer>& layer :
         {std::shared_ptr<Layer>(vast), std::shared_ptr<Layer>(wide), std::shared_ptr<Layer>(empty),
          group})
        root->addSublayer(layer);
    group->addSublayer(box(QRectF(0, 0, 10, 10), Qt::red));
    root->addSublayer(box(QRectF(60, 60, 10, 10), Qt::red));
    render();
    EXPECT_EQ(at(65, 65), QColor(Qt::red));
}

TEST_F(Rendering, ChangesAfterAFrameAreDrawnNotServedFromTheCache) {
    auto shape = box(QRectF(20, 20, 40, 40), Qt::red);
    root->addSublayer(shape);
    render();
    QPainterPath leftHalf;
    leftHalf.addRect(0, 0, 20, 40);
    struct Step {
        const char* name;
        std::function<void()> change;
        QPointF probe;
        QColor expected; // transparent: nothing there
    };
    const Step steps[] = {
        {"fill colour", [&] { shape->setFillColor(Qt::blue); }, {40, 40}, Qt::blue},
        {"stroke", [&] { shape->setStrokeColor(Qt::green); }, {20.2, 40}, Qt::green},
        {"line width", [&] { shape->setLineWidth(6); }, {17.6, 40}, Qt::green},
        {"path", [&] { shape->setPath(leftHalf); }, {50, 40}, Qt::transparent},
        {"dash gap",
         [&] {
             shape->setLineDashPattern({4, 4});
         },
         {26, 21},
         Qt::blue},
        {"dash", [] {}, {30, 21}, Qt::green},
        {"position",
         [&] {
             shape->setPosition({60, 60});
         },
         {35, 30},
         Qt::transparent},
        {"moved shape drawn", [] {}, {45, 60}, Qt::blue},
    };
    for (const Step& step : steps) {
        step.change();
        render();
        const QColor shown = at(step.probe.x(), step.probe.y());
        if (step.expected.alpha() == 0)
            EXPECT_EQ(shown.alpha(), 0) << step.name;
        else
            EXPECT_EQ(shown.rgba(), step.expected.rgba()) << step.name;
    }
}

TEST_F(Rendering, ShapesShareTheirCoverageAcrossLayersAndLooks) {
    ShapeCoverageCache& cache = ShapeCoverageCache::shared();
    cache.clear();
    // The same shape twice, whole pixels apart, in two colours.
    auto red = box(QRectF(10, 10, 30, 20), Qt::red);
    auto blue = box(QRectF(50, 10, 30, 20), Qt::blue);
    root->addSublayer(red);
    root->addSublayer(blue);
    render();
    EXPECT_EQ(cache.entryCount(), 1u);
    EXPECT_EQ(at(25, 20), QColor(Qt::red));
    EXPECT_EQ(at(65, 20), QColor(Qt::blue));
    const QImage atRest = image;

    // A hover look and back: the look at rest is found again, unchanged.
    red->setTransform(QTransform::fromScale(1.03, 1.03));
    render();
    EXPECT_EQ(cache.entryCount(), 2u);
    red->setTransform(QTransform());
    render();
    EXPECT_EQ(cache.entryCount(), 2u);
    EXPECT_EQ(image, atRest);

    // A new layer with the same shape, as a rebuilt one, draws the same.
    root->removeAllSublayers();
    root->addSublayer(box(QRectF(10, 10, 30, 20), Qt::red));
    root->addSublayer(box(QRectF(50, 10, 30, 20), Qt::blue));
    render();
    EXPECT_EQ(cache.entryCount(), 2u);
    EXPECT_EQ(image, atRest);

    // Nothing kept: still drawn the same.
    cache.setByteBudget(0);
    EXPECT_EQ(cache.entryCount(), 0u);
    render();
    EXPECT_EQ(image, atRest);
    cache.setByteBudget(32u << 20);
}

TEST_F(Rendering, AnimatedTransformsResampleTheCachedShape) {
    test::ManualScheduler clock;
    LayerTree tree(clock);
    auto group = std::make_shared<Layer>();
    group->setFrame(QRectF(0, 0, 100, 100));
    group->addSublayer(box(QRectF(40, 40, 20, 20), Qt::red));
    tree.root()->addSublayer(group);
    image = renderer.renderToImage(*tree.root(), QSizeF(100, 100), kRatio, clock.now());
    EXPECT_EQ(alphaAt(33, 50), 0);
    group->addAnimation("grow", {LayerProperty::Transform, QTransform::fromScale(2, 2),
                                 std::nullopt, 1.0, TimingFunction::linear()});
    // Half-way from scale 2 back to 1: 1.5 about the centre, 35...65.
    clock.advance(500ms);
    image = renderer.renderToImage(*tree.root(), QSizeF(100, 100), kRatio, clock.now());
    EXPECT_EQ(at(36, 50), QColor(Qt::red));
    EXPECT_EQ(alphaAt(33, 50), 0);
    clock.advance(600ms);
    image = renderer.renderToImage(*tree.root(), QSizeF(100, 100), kRatio, clock.now());
    EXPECT_EQ(alphaAt(38, 50), 0);
    EXPECT_EQ(at(41, 50), QColor(Qt::red));
}

// A small dial-like scene, written to $VELLARO_LAYERS_SAMPLE_DIR when set,
// for looking at the look rather than probing it.
TEST_F(Rendering, SampleScene) {
    const QPointF c(50, 50);
    const auto polar = [&](double r, double a) {
        return c + QPointF(r * std::sin(a), -r * std::cos(a));
    };
    auto wedges = std::make_shared<Layer>();
    wedges->setFrame(QRectF(0, 0, 100, 100));
    root->addSublayer(wedges);
    const int count = 6;
    for (int i = 0; i < count; ++i) {
        const double mid = 2 * std::numbers::pi / count * i;
        const double half = std::numbers::pi / count - 0.05;
        QPainterPath wedge;
        wedge.moveTo(polar(20, mid - half));
        for (int s = 0; s <= 16; ++s)
            wedge.lineTo(polar(44, mid - half + 2 * half * s / 16));
        for (int s = 16; s >= 0; --s)
            wedge.lineTo(polar(20, mid - half + 2 * half * s / 16));
        wedge.closeSubpath();
        auto shape = std::make_shared<ShapeLayer>();
        shape->setFrame(QRectF(0, 0, 100, 100));
        shape->setPath(wedge);
        shape->setFillColor(i == 1 ? QColor(70, 110, 230) : QColor(245, 245, 250, 235));
        shape->setStrokeColor(QColor(0, 0, 0, 40));
        shape->setShadowOpacity(1);
        shape->setShadowColor(QColor(0, 0, 0, 90));
        shape->setShadowRadius(i == 1 ? 6 : 4);
        shape->setShadowOffset({0, i == 1 ? 3.0 : 2.0});
        if (i == 1)
            shape->setTransform(
                QTransform::fromScale(1.03, 1.03) *
                QTransform::fromTranslate(3.5 * std::sin(mid), -3.5 * std::cos(mid)));
        wedges->addSublayer(shape);
        auto label = std::make_shared<TextLayer>();
        label->setFrame(QRectF(polar(33, mid) - QPointF(15, 3), QSizeF(30, 8)));
        label->setText(QStringLiteral("Section %1").arg(i + 1));
        QFont font;
        font.setPointSizeF(5);
        label->setFont(font);
        label->setAlignment(Qt::AlignHCenter);
        label->setForegroundColor(i == 1 ? Qt::white : QColor(40, 40, 50));
        wedges->addSublayer(label);
    }
    auto core = std::make_shared<ShapeLayer>();
    core->setFrame(QRectF(0, 0, 100, 100));
    QPainterPath disc;
    disc.addEllipse(c, 17, 17);
    core->setPath(disc);
    core->setFillColor(QColor(250, 250, 252));
    core->setShadowOpacity(1);
    core->setShadowColor(QColor(0, 0, 0, 70));
    core->setShadowRadius(5);
    core->setShadowOffset({0, 2});
    root->addSublayer(core);
    render();
    EXPECT_EQ(at(50, 50).rgb(), QColor(250, 250, 252).rgb());
    EXPECT_GT(at(84, 30).blue(), 200); // the highlighted wedge at two o'clock, pulled out
    const QByteArray dir = qgetenv("VELLARO_LAYERS_SAMPLE_DIR");
    if (!dir.isEmpty()) {
        ASSERT_TRUE(image.save(QDir(QString::fromLocal8Bit(dir)).filePath("layers-sample.png")));
    }
}

} // namespace
} // namespace vellaro
