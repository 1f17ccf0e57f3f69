#include "DialFixture.h"
#include "overlay/DialSlots.h"
#include "platform/layers/Layer.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"

#include <cmath>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::DialFixture;
using namespace std::chrono_literals;

// The layers live in Qt's y-down plane: "up" on screen is a smaller y.
TEST(RadialSceneSigns, RaisesAndShadowsPointTheRightWay) {
    DialFixture f;
    RadialMenuView& v = *f.view;
    const RadialScene& scene = v.scene();
    v.send(MenuEvent::open());

    // A wedge at rest casts its shadow downward.
    EXPECT_GT(scene.wedgeGroup(0)->shadowOffset().y(), 0);
    EXPECT_EQ(scene.coreShape()->shadowOffset(), QPointF(0, 4));

    // Its icon sits above the wedge centre and its title below it.
    const Point c{v.center().x(), v.center().y()};
    const QPointF origin = scene.wedgeGroup(0)->frame().topLeft();
    const Point centre = v.layout().wedgeCenter(0, c);
    EXPECT_NEAR(scene.wedgeIcon(0)->position().y() + origin.y(), centre.y - 15, 0.01);
    EXPECT_NEAR(scene.wedgeLabel(0)->frame().top() + origin.y(), centre.y + 9, 0.01);

    // Highlighted, the top wedge moves up, the bottom one down, the right one
    // right; the glow falls downward.
    const struct {
        int section;
        double dx, dy;
    } cases[] = {{0, 0, -7}, {3, 0, 7}, {1, 7 * std::sin(M_PI / 3), -7 * std::cos(M_PI / 3)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.section);
        v.send(MenuEvent::pointerMoved(RadialHit::wedge(c.section)));
        const QTransform t = scene.wedgeGroup(c.section)->transform();
        EXPECT_NEAR(t.dx(), c.dx, 1e-9);
        EXPECT_NEAR(t.dy(), c.dy, 1e-9);
        EXPECT_NEAR(t.m11(), 1.03, 1e-9);
        EXPECT_EQ(scene.wedgeGroup(c.section)->shadowOffset(), QPointF(0, 6));
    }

    // The logo mark's dot sits in the ring's gap at the upper right.
    const QRectF dot =
        std::static_pointer_cast<ShapeLayer>(scene.markGroup()->sublayerNamed(u"markDot"))
            ->path()
            .boundingRect();
    EXPECT_GT(dot.center().x(), c.x);
    EXPECT_LT(dot.center().y(), c.y - 9);
}

TEST(RadialSceneMotion, ReduceMotionKeepsColoursButNeitherMovesNorGrows) {
    for (const bool reduce : {false, true}) {
        SCOPED_TRACE(reduce);
        DialFixture f;
        f.appearance.motion = reduce;
        f.view->reload();
        f.view->send(MenuEvent::open());
        const RadialScene& scene = f.view->scene();
        const QStringList ring = scene.wedgesContainer()->animationKeys();
        const QStringList core = scene.coreGroup()->animationKeys();
        EXPECT_TRUE(ring.contains(RadialScene::bloomFadeKey));
        EXPECT_TRUE(core.contains(RadialScene::bloomFadeKey));
        EXPECT_EQ(ring.contains(RadialScene::bloomScaleKey), !reduce);
        EXPECT_EQ(core.contains(RadialScene::bloomScaleKey), !reduce);
        EXPECT_EQ(scene.wedgesContainer()->animation(RadialScene::bloomFadeKey)->duration, 0.22);
        EXPECT_EQ(scene.coreGroup()->animation(RadialScene::bloomFadeKey)->duration, 0.175);

        f.view->send(MenuEvent::pointerMoved(RadialHit::wedge(1)));
        f.scheduler.advance(1s);
        EXPECT_EQ(scene.wedgeGroup(1)->transform().isIdentity(), reduce);
        EXPECT_EQ(scene.wedgeShape(1)->fillColor(), f.view->surface().hover);

        f.view->send(MenuEvent::primaryAction(RadialHit::wedge(1)));
        EXPECT_EQ(scene.fanContainer()->animationKeys().contains(RadialScene::fanScaleKey),
                  !reduce);
    }
}

TEST(RadialSceneAppearance, DarkModeRestylesAnOpenFanAtOnce) {
    DialFixture f;
    f.edit([](VellaroSettings& s) { s.theme = ThemeChoice::system; });
    RadialMenuView& v = *f.view;
    v.send(MenuEvent::open());
    v.send(MenuEvent::primaryAction(RadialHit::wedge(2)));
    v.send(MenuEvent::pointerMoved(RadialHit::fanItem(1)));
    f.scheduler.advance(1s);
    const QColor lightHover = v.surface().hover;

    f.appearance.scheme = ColorScheme::dark;
    Q_EMIT f.appearance.changed();
    const auto now = f.scheduler.now();
    const auto& shapes = v.scene().fanShapes();
    ASSERT_EQ(shapes.size(), 4u);
    EXPECT_NE(v.surface().hover, lightHover);
    EXPECT_EQ(shapes[1]->presentation(now).fillColor, v.surface().hover);
    EXPECT_EQ(shapes[0]->presentation(now).fillColor, v.surface().fill);
    EXPECT_EQ(v.scene().wedgeShape(2)->presentation(now).fillColor, v.surface().hover);
}

// While a library drag shows a ghost slot, looks go by slot: the section
// after the ghost is drawn one slot further on.
TEST(RadialSceneSlots, GhostSlotShiftsTheSelectionOutline) {
    EXPECT_EQ(DialSlots::slotOf(2, 6, std::nullopt), 2);
    EXPECT_EQ(DialSlots::slotOf(2, 6, 1), 3);
    EXPECT_EQ(DialSlots::slotOf(0, 6, 1), 0);
    EXPECT_EQ(DialSlots::slotOf(6, 6, 1), std::nullopt);

    const std::vector<SectionKind> sections{SectionKind::apps, SectionKind::files,
                                            SectionKind::sound};
    const auto slots = DialSlots::make(sections, 1);
    ASSERT_EQ(slots.size(), 4u);
    EXPECT_FALSE(slots[1].has_value());

    DialFixture f;
    RadialScene scene;
    scene.build(*RadialLayout::standard(4), slots, QSizeF(480, 480), 1, true);
    const VellaroTheme& theme = VellaroTheme::light();
    scene.refresh({theme, f.view->surface(), false}, std::nullopt,
                  DialSlots::slotOf(1, int(sections.size()), 1));
    EXPECT_EQ(scene.wedgeShape(2)->strokeColor(), theme.accent);
    EXPECT_EQ(scene.wedgeShape(2)->lineWidth(), 1.5);
    EXPECT_EQ(scene.wedgeShape(3)->lineWidth(), 1.0);
    EXPECT_EQ(scene.wedgeShape(1)->lineDashPattern(), (QList<qreal>{4, 4}));
    EXPECT_TRUE(scene.wedgeLabel(1)->isHidden());
    scene.styleWedge(1, true); // the ghost never lights up
    EXPECT_EQ(scene.wedgeShape(1)->lineWidth(), 1.0);
}

// Pixels of a settled frame: wedge fill, the hovered wedge, the core, the fan.
class RadialFrame : public testing::Test {
protected:
    QImage frame() {
        f.scheduler.advance(1s); // past every animation
        return v.renderImage(1.0);
    }
    QColor pixel(const QImage& image, Point p) {
        return image.pixelColor(int(std::lround(p.x)), int(std::lround(p.y)));
    }
    // A point of wedge `s` clear of its icon and title.
    Point wedgeFillPoint(int s) {
        const auto& l = v.layout();
        return RadialLayout::point(l.sectionAngle(s) + 0.3, l.ringOuter - 8, c());
    }
    Point c() const { return {v.center().x(), v.center().y()}; }
    static int distance(QColor a, QColor b) {
        return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue());
    }

    DialFixture f;
    RadialMenuView& v = *f.view;
};

TEST_F(RadialFrame, WedgeFillHoverCoreAndFan) {
    f.edit([](VellaroSettings& s) { s.material = MaterialChoice::matte; });
    v.reload();
    v.send(MenuEvent::open());
    v.send(MenuEvent::pointerMoved(RadialHit::wedge(2)));
    const QImage ring = frame();
    const RadialSurface s = v.surface();
    EXPECT_LT(distance(pixel(ring, wedgeFillPoint(0)), s.fill), 12);
    EXPECT_LT(distance(pixel(ring, wedgeFillPoint(2)), s.hover), 12);
    EXPECT_LT(distance(pixel(ring, RadialLayout::point(1.0, 30, c())), s.core), 12);
    // The highlighted wedge moved out: just beyond its rest edge it is filled.
    const auto& l = v.layout();
    EXPECT_LT(distance(pixel(ring, RadialLayout::point(l.sectionAngle(2), l.ringOuter + 3, c())),
                       s.hover),
              12);
    EXPECT_EQ(pixel(ring, RadialLayout::point(l.sectionAngle(0), l.ringOuter + 30, c())).alpha(),
              0);

    v.send(MenuEvent::hoverDwell());
    ASSERT_EQ(v.state(), MenuState::submenu(2));
    const QImage fan = frame();
    // Inside the last item, clear of its icon and title.
    const Point inItem = RadialLayout::point(l.fanStart(2, 4) + v.fanOffset() + 3.2 * l.fanItemSpan,
                                             l.fanInner() + 8, c());
    EXPECT_LT(distance(pixel(fan, inItem), s.fill), 12);
}

TEST_F(RadialFrame, LabelsOffLeaveOnlyTheFillUnderTheTitle) {
    f.edit([](VellaroSettings& s) {
        s.material = MaterialChoice::matte;
        s.theme = ThemeChoice::eclipse;
    });
    v.reload();
    v.send(MenuEvent::open());
    const Point under = v.layout().wedgeCenter(0, c()) + Point{0, 15};
    auto inkPixels = [&](const QImage& image) {
        int count = 0;
        for (int dx = -20; dx <= 20; ++dx)
            count += distance(pixel(image, under + Point{double(dx), 0}), v.surface().fill) > 60;
        return count;
    };
    EXPECT_GT(inkPixels(frame()), 0);
    f.edit([](VellaroSettings& s) { s.showLabels = false; });
    v.reload();
    EXPECT_EQ(inkPixels(frame()), 0);
}

// Titles too wide for their item: one breaks onto a second line drawn below
// the first; two that begin alike keep the word that tells them apart.
TEST_F(RadialFrame, TitlesOfOneFanStayApart) {
    f.edit([](VellaroSettings& s) {
        s.material = MaterialChoice::matte;
        s.theme = ThemeChoice::eclipse;
    });
    v.reload();
    const SectionKind kind = v.sections()[3];
    f.provider(kind).change([](std::vector<MenuItem>& list) {
        list.clear();
        for (const char* title :
             {"Screenshot Area", "Screenshot Window", "Empty Trash", "Lock", "Keep Awake"})
            list.emplace_back(QString::fromUtf8(title), MenuItem::Icon::symbol("bolt"));
    });
    v.send(MenuEvent::open());
    v.send(MenuEvent::primaryAction(RadialHit::wedge(3)));
    ASSERT_EQ(v.state(), MenuState::submenu(3));
    const QImage image = frame();

    const auto& titles = v.scene().fanLabels();
    const auto& seconds = v.scene().fanLabelSecondLines();
    ASSERT_EQ(titles.size(), 5u);
    ASSERT_EQ(seconds.size(), 5u);
    EXPECT_NE(titles[0]->text(), titles[1]->text());
    EXPECT_TRUE(titles[0]->text().endsWith("Area")) << titles[0]->text().toStdString();
    EXPECT_TRUE(titles[1]->text().endsWith("Window")) << titles[1]->text().toStdString();
    EXPECT_EQ(titles[3]->text(), "Lock");
    EXPECT_EQ(seconds[3], nullptr);
    // Where two lines fit, both words are there in full.
    std::optional<std::size_t> broken;
    for (std::size_t i = 2; i < 5; ++i) {
        if (seconds[i]) {
            broken = i;
            EXPECT_EQ(titles[i]->text() + " " + seconds[i]->text(),
                      i == 2 ? "Empty Trash" : "Keep Awake");
        }
    }
    ASSERT_TRUE(broken) << "a title in two lines";

    // The second line is drawn: ink across the middle of its band.
    const QRectF band = seconds[*broken]->frame();
    int ink = 0;
    for (double x = band.left(); x < band.right(); x += 1)
        ink += distance(pixel(image, {x, band.center().y()}), v.surface().fill) > 60;
    EXPECT_GT(ink, 3);
}

} // namespace
} // namespace vellaro
