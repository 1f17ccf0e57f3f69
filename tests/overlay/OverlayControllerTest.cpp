#include "overlay/OverlayController.h"
#include "overlay/DialGate.h"
#include "overlay/OverlayPanel.h"

#include "support/FakeDialView.h"
#include "support/ManualScheduler.h"

#include <QCoreApplication>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using namespace std::chrono_literals;
using test::FakeDialView;

// Everything the controller does, in order, as short words.
using Journal = QStringList;

class FakeGate final : public DialGate {
public:
    bool holding = false;
    int broughtForward = 0;
    bool holdsBackDial() const override { return holding; }
    void bringForward() override { ++broughtForward; }
};

class OverlayControllerTest : public ::testing::Test {
protected:
    OverlayController& controller() {
        if (!controller_) {
            controller_ = std::make_unique<OverlayController>(OverlayController::Collaborators{
                scheduler, gate, [this] { return settings; },
                [this](double scale, int side) {
                    journal << QStringLiteral("view %1 %2").arg(scale).arg(side);
                    auto view = std::make_unique<FakeDialView>(scale, journal);
                    lastView = view.get();
                    return view;
                },
                [this] {
                    journal << "refresh";
                    scheduler.advance(showCost); // a slow machine takes a while to show
                },
                [this](const QString& name) { journal << name; }, [this] { journal << "hot key"; },
                [this] { return pointer; }, [this] { return screens; }});
            journal.clear();
        }
        return *controller_;
    }

    // Runs a script of "down", "up" (each with "@<X server ms>" when the
    // event carries a time) and "+<ms>" steps; returns the journal.
    Journal run(const QString& script) {
        controller();
        journal.clear();
        for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
            const std::uint32_t time = step.section('@', 1).toUInt();
            if (step.startsWith("down"))
                controller().triggerDown(time);
            else if (step.startsWith("up"))
                controller().triggerUp(time);
            else
                scheduler.advance(std::chrono::milliseconds(step.mid(1).toInt()));
        }
        return journal;
    }

    test::ManualScheduler scheduler;
    std::chrono::milliseconds showCost{0};
    FakeGate gate;
    OverlayController::DialSettings settings{1.0, standardSections(), 300};
    QPointF pointer{700, 400};
    std::vector<DialPlacement::Screen> screens{
        {QRectF(0, 0, 1440, 900), QRectF(0, 30, 1440, 870)},
        {QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1080)}};
    Journal journal;
    FakeDialView* lastView = nullptr;
    std::unique_ptr<OverlayController> controller_;
};

const Journal opened{"refresh", "open", "vellaroOverlayDidShow"};
const Journal closed{"timers stopped", "vellaroOverlayDidHide"};

TEST_F(OverlayControllerTest, TriggerSequences) {
    struct Case {
        const char* name;
        double holdMS;
        QString script;
        Journal expected;
        bool openAfter;
    };
    const Case cases[] = {
        {"tap leaves the dial open", 300, "down +200 up", opened, true},
        {"release exactly at the hold stays open", 300, "down +300 up", opened, true},
        {"hold longer than the gesture hold releases", 300, "down +301 up",
         opened + Journal{"released"}, true},
        {"hold 0 releases on any measurable hold", 0, "down +1 up", opened + Journal{"released"},
         true},
        {"press while open closes, its release is ignored", 300, "down +50 up down +900 up",
         opened + closed, false},
        {"the press after that opens again", 300, "down up down up down", opened + closed + opened,
         true},
        {"release without a press does nothing", 300, "up +500 up", {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        controller_.reset();
        settings.gestureHoldMS = c.holdMS;
        EXPECT_EQ(run(c.script), c.expected);
        EXPECT_EQ(controller().isShown(), c.openAfter);
    }
}

// The hold runs from the trigger's press, not from the end of showing, and
// between the X server's own times of press and release when they are known.
TEST_F(OverlayControllerTest, HoldIsTimedFromThePressEvenWhenShowingIsSlow) {
    const struct {
        const char* name;
        QString script;
        bool released;
    } cases[] = {
        {"330 ms on the clock, 200 of them showing", "down +130 up", true},
        {"server times: 330 ms held", "down@1000 +100 up@1330", true},
        {"server times: 200 ms, however late they arrive", "down@1000 +600 up@1200", false},
        {"server clock wrapped", "down@4294967196 up@230", true},
        {"only the press has a time: the clock decides", "down@1000 +50 up", false},
    };
    showCost = std::chrono::milliseconds(200);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        controller_.reset();
        const Journal journal = run(c.script);
        EXPECT_EQ(journal.contains("released"), c.released) << journal.join(", ").toStdString();
    }
}

TEST_F(OverlayControllerTest, HoldIsTimedOnTheMonotonicClockOfThePress) {
    // The release after a hold measures from the press that opened the dial,
    // not from a later press that closed it.
    EXPECT_EQ(run("down +10 up down up down +100 up"), opened + closed + opened);
}

TEST_F(OverlayControllerTest, SetupAssistantHoldsTheDialBack) {
    gate.holding = true;
    EXPECT_EQ(run("down +500 up"), Journal{});
    EXPECT_EQ(gate.broughtForward, 1);
    EXPECT_FALSE(controller().isShown());
    gate.holding = false;
    EXPECT_EQ(run("down"), opened);
}

TEST_F(OverlayControllerTest, PlacementAroundThePointer) {
    struct Case {
        const char* name;
        double scale;
        QPointF pointer;
        QPointF centre;
    };
    const Case cases[] = {
        {"inside", 1.0, {700, 400}, {700, 400}},
        {"10 from the left edge, standard", 1.0, {10, 400}, {150, 400}},
        {"10 from the left edge, large", 1.18, {10, 400}, {177, 400}},
        {"small, under the top bar", 0.85, {600, 0}, {600, 157.5}},
        {"on the second screen", 1.0, {3350, 1070}, {3210, 930}},
        {"off every screen: the primary", 1.0, {-300, 400}, {150, 400}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        controller_.reset();
        settings.scale = c.scale;
        pointer = c.pointer;
        controller().triggerDown();
        const QRect frame = controller().panel().geometry();
        const int side = static_cast<int>(std::lround(480 * c.scale));
        EXPECT_EQ(frame.size(), QSize(side, side));
        EXPECT_NEAR(frame.x() + side / 2.0, c.centre.x(), 1.0);
        EXPECT_NEAR(frame.y() + side / 2.0, c.centre.y(), 1.0);
    }
}

TEST_F(OverlayControllerTest, NoScreenNoDial) {
    screens.clear();
    EXPECT_EQ(run("down"), Journal{});
    EXPECT_FALSE(controller().isShown());
}

TEST_F(OverlayControllerTest, DismissFromTheDialHidesOnce) {
    run("down");
    journal.clear();
    lastView->dismiss();
    controller().hide();
    EXPECT_EQ(journal, closed + Journal{"timers stopped"});
    EXPECT_FALSE(controller().isShown());
}

TEST_F(OverlayControllerTest, SettingsChangeReloadsOrRebuilds) {
    run("down");
    FakeDialView* first = lastView;

    journal.clear();
    controller().settingsDidChange(); // e.g. the theme changed
    EXPECT_EQ(journal, (Journal{"hot key", "reload"}));
    EXPECT_TRUE(controller().isShown());
    EXPECT_EQ(lastView, first);

    journal.clear();
    settings.scale = 1.18;
    controller().settingsDidChange();
    EXPECT_EQ(journal, Journal{"hot key"} + closed + Journal{"view 1.18 566"});
    EXPECT_FALSE(controller().isShown());
    EXPECT_EQ(controller().panel().size(), QSize(566, 566));
    EXPECT_EQ(controller().panel().content(), lastView->widget());

    journal.clear();
    settings.sections = {SectionKind::apps, SectionKind::sound};
    controller().settingsDidChange(); // hidden already: nothing posted
    EXPECT_EQ(journal, (Journal{"hot key", "timers stopped", "view 1.18 566"}));
}

TEST_F(OverlayControllerTest, EachNewDialIsDrawnOnceAheadOfItsFirstOpening) {
    controller();
    EXPECT_TRUE(journal.isEmpty()) << "not during start-up itself";
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, Journal{"warm up"});

    journal.clear();
    settings.scale = 1.18;
    controller().settingsDidChange();
    QCoreApplication::processEvents();
    EXPECT_EQ(journal, (Journal{"hot key", "timers stopped", "view 1.18 566", "warm up"}));

    // Opened before the warm-up ran: the opening draws for itself.
    settings.scale = 1.0;
    controller().settingsDidChange();
    run("down");
    journal.clear();
    QCoreApplication::processEvents();
    EXPECT_TRUE(journal.isEmpty()) << journal.join(", ").toStdString();
}

TEST_F(OverlayControllerTest, LosingTheInputClosesUnlessTheContextMenuTookIt) {
    run("down");
    auto other = std::make_unique<QWidget>();
    journal.clear();
    lastView->contextMenuOpen_ = true;
    Q_EMIT controller().panel().focusLost();
    EXPECT_EQ(journal, Journal{});
    lastView->contextMenuOpen_ = false;
    Q_EMIT controller().panel().focusLost();
    EXPECT_EQ(journal, Journal{"focus lost"});
}

} // namespace
} // namespace vellaro
