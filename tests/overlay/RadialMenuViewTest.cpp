#include "DialFixture.h"
#include "overlay/FanPreviewCard.h"
#include "platform/layers/Layer.h"
#include "platform/layers/ShapeLayer.h"
#include "platform/layers/TextLayer.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vellaro {
namespace {

using test::DialFixture;
using namespace std::chrono_literals;

// Drives a shown overlay dial with real mouse and key events at points taken
// from its own layout.
class DialInput : public testing::Test {
protected:
    explicit DialInput(bool previewMode = false) : f(1.0, previewMode) {}

    void SetUp() override {
        v.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&v));
        v.onDismiss = [this] { log.push_back("dismiss"); };
        v.onExecute = [this](auto s, auto i) {
            log.push_back(QStringLiteral("execute %1 %2").arg(s).arg(i));
        };
        v.send(MenuEvent::open());
        // Qt drops a move to where the pointer already is, so every test
        // starts from a corner the last one left.
        move(QPoint(1, 1));
    }
    void TearDown() override { move(QPoint(2, 2)); }

    Point c() const { return {v.center().x(), v.center().y()}; }
    static QPoint at(Point p) { return QPoint(int(std::lround(p.x)), int(std::lround(p.y))); }
    QPoint wedge(int s, double along = 0) const {
        const auto& l = v.layout();
        return at(
            RadialLayout::point(l.sectionAngle(s) + along, (l.ringInner + l.ringOuter) / 2, c()));
    }
    QPoint item(int i) const {
        const auto s = *v.state().submenuSection();
        const auto n = std::max<std::int64_t>(v.currentFanItems().size(), 1);
        return at(v.layout().fanItemCenter(s, i, n, v.fanOffset(), c()));
    }
    void move(QPoint p) { QTest::mouseMove(&v, p); }
    void leave() {
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(&v, &leave);
    }
    void key(Qt::Key k) { QTest::keyClick(&v, k); }
    void advance(std::chrono::milliseconds ms) { f.scheduler.advance(ms); }

    DialFixture f;
    RadialMenuView& v = *f.view;
    QStringList log;
};

TEST_F(DialInput, HoverDwellFansHapticsAndEscapeInHoverMode) {
    move(wedge(2));
    EXPECT_EQ(v.state(), MenuState::root(2));
    EXPECT_EQ(f.haptics.ticks, 1);
    move(wedge(2, 0.2)); // within the same wedge: nothing changes
    advance(119ms);
    EXPECT_EQ(v.state(), MenuState::root(2));
    advance(1ms); // the default 120 ms from the last change
    EXPECT_EQ(v.state(), MenuState::submenu(2));
    EXPECT_EQ(f.haptics.ticks, 1) << "the dwell opens without a tick";
    EXPECT_TRUE(v.scene().isFanShown());

    move(item(1));
    EXPECT_EQ(v.state(), MenuState::submenu(2, 1));
    EXPECT_EQ(f.haptics.ticks, 1) << "fan items are not sections";
    move(wedge(4));
    EXPECT_EQ(v.state(), MenuState::submenu(4));
    EXPECT_EQ(f.haptics.ticks, 2);

    key(Qt::Key_Escape);
    EXPECT_EQ(v.state(), MenuState::root());
    EXPECT_FALSE(v.scene().isFanShown());
    move(wedge(1));
    leave();
    EXPECT_EQ(v.state(), MenuState::root());
    EXPECT_EQ(f.haptics.ticks, 3) << "leaving clears the hover without a tick";
    move(wedge(1, 0.2));
    EXPECT_EQ(f.haptics.ticks, 4) << "coming back after no target ticks again";
    key(Qt::Key_Escape);
    EXPECT_EQ(v.state(), MenuState::closed());
    EXPECT_EQ(log, QStringList{"dismiss"});
}

TEST_F(DialInput, ClickModeNeverDwellsAndActsOnRelease) {
    f.edit([](VellaroSettings& s) { s.submenuOpen = SubmenuOpenMode::click; });
    move(wedge(1));
    advance(10s);
    EXPECT_EQ(v.state(), MenuState::root(1));
    EXPECT_EQ(f.scheduler.pendingCount(), 0u);

    QTest::mousePress(&v, Qt::LeftButton, {}, wedge(1));
    EXPECT_EQ(v.state(), MenuState::root(1));
    QTest::mouseRelease(&v, Qt::LeftButton, {}, wedge(3));
    EXPECT_EQ(v.state(), MenuState::submenu(3)) << "released over another wedge";

    key(Qt::Key_Escape);
    key(Qt::Key_Left);
    EXPECT_EQ(v.state(), MenuState::root(5));
    key(Qt::Key_Return);
    EXPECT_EQ(v.state(), MenuState::submenu(5));
    key(Qt::Key_Down);
    EXPECT_EQ(v.state(), MenuState::submenu(5, 0));
}

TEST_F(DialInput, SwitchingFansSwapsInPlaceWithoutTheReveal) {
    QTest::mouseClick(&v, Qt::LeftButton, {}, wedge(0));
    Layer& fan = *v.scene().fanContainer();
    EXPECT_TRUE(fan.animationKeys().contains(RadialScene::fanFadeKey));
    EXPECT_TRUE(fan.animationKeys().contains(RadialScene::fanScaleKey));
    advance(1s);
    fan.settleAnimations(f.scheduler.now());
    move(wedge(3));
    EXPECT_EQ(v.state(), MenuState::submenu(3));
    EXPECT_TRUE(fan.animationKeys().isEmpty());
    EXPECT_EQ(v.scene().fanLabels().front()->text(), "Actions 1");
}

TEST_F(DialInput, ExecutesInOrderHookThenDismissThenAction) {
    f.provider(SectionKind::apps).change([this](auto& items) {
        items[1].action = [this] { log.push_back("action"); };
    });
    QTest::mouseClick(&v, Qt::LeftButton, {}, wedge(2)); // apps
    QTest::mouseClick(&v, Qt::LeftButton, {}, item(1));
    EXPECT_EQ(log, (QStringList{"execute 2 1", "dismiss", "action"}));
    EXPECT_EQ(v.state(), MenuState::closed());
}

TEST_F(DialInput, KeepsOpenItemsRunWithoutSteppingOrHooks) {
    int runs = 0;
    f.provider(SectionKind::workspaces).change([&runs](auto& items) {
        items[0].keepsOpen = true;
        items[0].action = [&runs] { ++runs; };
    });
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    ASSERT_EQ(v.state(), MenuState::submenu(0, 0));
    key(Qt::Key_Return);
    QTest::mouseClick(&v, Qt::LeftButton, {}, item(0));
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(v.state(), MenuState::submenu(0, 0));
    EXPECT_TRUE(log.isEmpty());
}

// A keeps-open item whose action changes its own section (a mute toggle
// relabels itself) redraws the fan while the action still runs.
TEST_F(DialInput, KeepsOpenActionMayChangeItsOwnSection) {
    auto& sound = f.provider(SectionKind::workspaces);
    sound.change([this, &sound](auto& items) {
        items[0].keepsOpen = true;
        items[0].action = [this, &sound, word = QStringLiteral("toggled")] {
            sound.change(
                [](auto& list) { list[0] = MenuItem("Unmute", MenuItem::Icon::symbol("bolt")); });
            log.push_back(word);
        };
    });
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    ASSERT_EQ(v.state(), MenuState::submenu(0, 0));
    key(Qt::Key_Return);
    EXPECT_EQ(log, QStringList{"toggled"});
    EXPECT_EQ(v.state(), MenuState::submenu(0, 0));
    EXPECT_EQ(v.scene().fanLabels().front()->text(), "Unmute");
}

TEST_F(DialInput, EmptyFanIsHitAsOneItemAndExecutesNothing) {
    f.provider(SectionKind::files).change([](auto& items) { items.clear(); });
    QTest::mouseClick(&v, Qt::LeftButton, {}, wedge(5)); // files
    ASSERT_EQ(v.state(), MenuState::submenu(5));
    EXPECT_TRUE(v.currentFanItems().empty());
    EXPECT_TRUE(v.scene().materialShapes().contains(QPointF(item(0))));
    QTest::mouseClick(&v, Qt::LeftButton, {}, item(0));
    EXPECT_EQ(log, (QStringList{"execute 5 0", "dismiss"}));
}

TEST_F(DialInput, PreviewCardAfterItsDelayAndNeverAfterTheItemIsLeftOrThePanelHides) {
    f.provider(SectionKind::clipboard).change([](auto& items) {
        items[1].preview = MenuItem::Preview::text("copied text");
    });
    QTest::mouseClick(&v, Qt::LeftButton, {}, wedge(4));
    move(item(1));
    advance(349ms);
    EXPECT_FALSE(v.previewCard().isVisible());
    advance(1ms);
    EXPECT_TRUE(v.previewCard().isVisible());
    move(item(0));
    EXPECT_FALSE(v.previewCard().isVisible()) << "an item without a preview hides it at once";

    move(item(1));
    advance(200ms);
    move(item(2));
    advance(1s);
    EXPECT_FALSE(v.previewCard().isVisible());

    move(item(1));
    v.panelDidHide();
    advance(1s);
    EXPECT_FALSE(v.previewCard().isVisible());
    key(Qt::Key_Escape);
    move(wedge(1));
    v.panelDidHide();
    advance(1s);
    EXPECT_EQ(v.state(), MenuState::root(1)) << "the dwell stopped with the panel";
}

TEST_F(DialInput, PointerMovesNeverRebuildProviderItems) {
    move(wedge(0));
    const int builds = f.provider(SectionKind::apps).builds;
    for (int i = 0; i < 20; ++i)
        move(wedge(i % 6, 0.1 * (i % 3)));
    EXPECT_EQ(f.provider(SectionKind::apps).builds, builds);
    f.provider(SectionKind::apps).announceChange();
    move(wedge(2));
    EXPECT_EQ(f.provider(SectionKind::apps).builds, builds + 1);
}

class PreviewDialInput : public DialInput {
protected:
    PreviewDialInput() : DialInput(true) {}
};

TEST_F(PreviewDialInput, RunsNoActionsAndTicksNoHaptics) {
    int runs = 0;
    f.provider(SectionKind::workspaces).change([&runs](auto& items) {
        items[0].action = [&runs] { ++runs; };
        items[1].keepsOpen = true;
        items[1].action = [&runs] { ++runs; };
    });
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    key(Qt::Key_Return); // keeps-open: nothing at all
    EXPECT_EQ(v.state(), MenuState::submenu(0, 1));
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    EXPECT_EQ(log, (QStringList{"execute 0 0", "dismiss"}));
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(f.haptics.ticks, 0);
}

// A delay from a hand-edited file never stops the program: it is clamped.
TEST(DialDwell, HoverDelayIsClampedToTenSeconds) {
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double setting;
        std::chrono::milliseconds opensAfter;
    } cases[] = {
        // Not a number at all: the default 120 ms.
        {std::nan(""), 120ms}, {inf, 120ms}, {-inf, 120ms}, {-5, 0ms}, {120.9, 120ms}, {1e300, 10s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        DialFixture f;
        f.edit([&](VellaroSettings& s) { s.hoverDelayMS = c.setting; });
        f.view->send(MenuEvent::open());
        f.view->send(MenuEvent::pointerMoved(RadialHit::wedge(3)));
        if (c.opensAfter > 0ms) {
            f.scheduler.advance(c.opensAfter - 1ms);
            EXPECT_EQ(f.view->state(), MenuState::root(3));
        }
        f.scheduler.advance(1ms);
        EXPECT_EQ(f.view->state(), MenuState::submenu(3));
    }
}

// What a settings change rebuilds, and what it keeps.
class DialReload : public testing::Test {
protected:
    DialFixture f;
    RadialMenuView& v = *f.view;
};

TEST_F(DialReload, ThemeOnlyKeepsLayersShowLabelsRebuildsSectionsReset) {
    v.send(MenuEvent::open());
    Layer* group = v.scene().wedgeGroup(0);
    const QColor pearlFill = v.scene().wedgeShape(0)->fillColor();
    f.edit([](VellaroSettings& s) { s.theme = ThemeChoice::eclipse; });
    v.reload();
    EXPECT_EQ(v.scene().wedgeGroup(0), group);
    EXPECT_NE(v.scene().wedgeShape(0)->fillColor(), pearlFill);

    const QPointF iconWithLabels = v.scene().wedgeIcon(0)->position();
    f.edit([](VellaroSettings& s) { s.showLabels = false; });
    v.reload();
    EXPECT_NE(v.scene().wedgeGroup(0), group);
    EXPECT_TRUE(v.scene().wedgeLabel(0)->isHidden());
    EXPECT_NEAR(v.scene().wedgeIcon(0)->position().y() - iconWithLabels.y(), 11.0, 0.01)
        << "icons drop from 15 to 4 points above the wedge centre";

    v.send(MenuEvent::primaryAction(RadialHit::wedge(1)));
    v.selectSection(SectionKind::apps);
    ASSERT_EQ(v.state(), MenuState::submenu(1));
    EXPECT_EQ(v.scene().wedgeShape(2)->lineWidth(), 1.5) << "the console's selection outline";
    f.edit([](VellaroSettings& s) {
        s.arrangement = DialArrangement::custom;
        s.customSections = {SectionKind::apps, SectionKind::sound, SectionKind::files};
    });
    v.reload();
    EXPECT_EQ(v.state(), MenuState::root());
    EXPECT_EQ(v.sections().size(), 3u);
    EXPECT_FALSE(v.scene().isFanShown());
    EXPECT_EQ(v.scene().wedgeShape(0)->lineWidth(), 1.0) << "the selection is cleared";
}

TEST_F(DialReload, ProviderChangeRedrawsAnOpenFanInPlaceOnly) {
    v.send(MenuEvent::open());
    f.provider(SectionKind::apps).change([](auto& items) {
        items[0] = MenuItem("Renamed", MenuItem::Icon::symbol("bolt"));
    });
    EXPECT_TRUE(v.scene().fanLabels().empty()) << "nothing to redraw at the ring";

    v.send(MenuEvent::primaryAction(RadialHit::wedge(2)));
    v.send(MenuEvent::pointerMoved(RadialHit::fanItem(1)));
    f.provider(SectionKind::apps).change([](auto& items) {
        items[0] = MenuItem("Again", MenuItem::Icon::symbol("bolt"));
    });
    EXPECT_EQ(v.scene().fanLabels()[0]->text(), "Again");
    EXPECT_EQ(v.scene().fanShapes()[1]->fillColor(), v.surface().hover) << "highlight kept";
    EXPECT_EQ(v.state(), MenuState::submenu(2, 1));
}

TEST_F(DialReload, SmallSizesDoNotRebuild) {
    v.show();
    Layer* group = v.scene().wedgeGroup(0);
    v.resize(20, 400);
    EXPECT_EQ(v.scene().wedgeGroup(0), group);
    v.resize(21, 21);
    EXPECT_NE(v.scene().wedgeGroup(0), group);
}

} // namespace
} // namespace vellaro
