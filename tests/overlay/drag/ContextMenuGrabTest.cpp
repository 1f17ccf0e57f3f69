// A context menu opened on the overlay dial, whose panel holds the pointer and
// keyboard grabs, takes the input while it is up and hands it back when it
// closes: driven through a real X server with XTest.

#include "EventPump.h"
#include "PreviewDial.h"
#include "overlay/OverlayPanel.h"
#include "platform/session/SystemActions/ScreenshotRunner.h"
#include "platform/session/SystemActions/ToolLauncher.h"
#include "support/FakeTools.h"
#include "support/ManualScheduler.h"
#include "support/XcbTestClient.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace vellaro {
namespace {

using test::PreviewDial;
using test::pumpUntil;

constexpr std::uint32_t keyDown = 0xff54;
constexpr std::uint32_t keyReturn = 0xff0d;
constexpr std::uint32_t keyEscape = 0xff1b;

class ContextMenuUnderTheGrab : public ::testing::Test {
protected:
    void SetUp() override {
        panel.resize(PreviewDial::side, PreviewDial::side);
        panel.setContent(&v);
        // A popup of our own taking the focus is what the overlay treats as
        // the dial losing it; the menu must not count as that.
        QObject::connect(&panel, &OverlayPanel::focusLost,
                         [this] { v.send(MenuEvent::focusLost()); });
        // As the overlay does: the dial's dismissal hides the panel.
        v.onDismiss = [this] { panel.dismiss(); };
        panel.present(QPoint(80, 60));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
        ASSERT_TRUE(pumpUntil([&] {
            panelClock.advance(OverlayPanel::grabRetryInterval);
            return panel.holdsGrab();
        })) << "the panel's grab";
        ASSERT_TRUE(hands.isPointerGrabbedElsewhere());
    }

    QPoint onScreen(QPointF p) const { return v.mapToGlobal(p).toPoint(); }

    // Opens the apps fan and its first item's context menu with the mouse.
    void popUpTheFirstItemsMenu() {
        v.send(MenuEvent::open());
        v.send(MenuEvent::primaryAction(RadialHit::wedge(2))); // the apps fan
        ASSERT_EQ(v.state(), MenuState::submenu(2));
        // From the middle, so the pointer moves onto the item whatever went before.
        const QPoint core = onScreen(v.center());
        hands.movePointer(core.x(), core.y());
        const QPoint item = onScreen(d.item(0));
        hands.movePointer(item.x(), item.y());
        ASSERT_TRUE(pumpUntil([&] { return v.state() == MenuState::submenu(2, 0); }));
        hands.button(3, true);
        hands.button(3, false);
        ASSERT_TRUE(pumpUntil([] {
            return qobject_cast<QMenu*>(QApplication::activePopupWidget());
        })) << "a secondary click on the item pops its menu up";
        EXPECT_TRUE(v.contextMenuOpen());
    }

    void tap(std::uint32_t key) {
        hands.key(key, true);
        hands.key(key, false);
    }

    test::XcbTestClient hands;
    test::ManualScheduler panelClock;
    OverlayPanel panel{panelClock};
    PreviewDial d{{}, &panel};
    RadialMenuView& v = *d.view;
};

TEST_F(ContextMenuUnderTheGrab, TheMenuTakesTheInputAndGivesItBack) {
    d.saved(SectionKind::apps).firstItemActions = {MenuAction("Reveal", [] {})};
    d.saved(SectionKind::apps).announce();
    popUpTheFirstItemsMenu();
    // The menu has the keyboard: Escape closes it, nothing chosen.
    tap(keyEscape);
    ASSERT_TRUE(pumpUntil([&] { return !v.contextMenuOpen(); })) << "the menu's keys reach it";
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(v.state(), MenuState::submenu(2, 0)) << "the dial stayed as it was";

    // And hands the input back: our client holds both grabs again, for the dial.
    EXPECT_EQ(QWidget::keyboardGrabber(), &v);
    EXPECT_EQ(QWidget::mouseGrabber(), &v);
    EXPECT_TRUE(hands.isPointerGrabbedElsewhere());
    EXPECT_TRUE(hands.isKeyboardGrabbedElsewhere());
    const QPoint wedge = onScreen(d.wedge(4));
    hands.movePointer(wedge.x(), wedge.y());
    EXPECT_TRUE(pumpUntil([&] { return v.state() == MenuState::submenu(4); }))
        << "the pointer reaches the dial again";
    tap(keyEscape);
    EXPECT_TRUE(pumpUntil([&] { return !v.state().submenuSection(); }))
        << "keys reach the dial again";

    // A click outside the menu (here outside the ring, where a click closes
    // the dial) only closes the menu.
    v.send(MenuEvent::primaryAction(RadialHit::wedge(2)));
    const QPoint item = onScreen(d.item(0));
    hands.movePointer(item.x(), item.y());
    ASSERT_TRUE(pumpUntil([&] { return v.state() == MenuState::submenu(2, 0); }));
    hands.button(3, true);
    hands.button(3, false);
    ASSERT_TRUE(pumpUntil([&] { return v.contextMenuOpen(); }));
    const QPoint corner = onScreen(QPointF(2, 2));
    hands.movePointer(corner.x(), corner.y());
    hands.button(1, true);
    ASSERT_TRUE(pumpUntil([&] { return !v.contextMenuOpen(); }));
    hands.button(1, false);
    // The next click, on the core, closes the fan: only an open dial does.
    const QPoint core = onScreen(v.center());
    hands.movePointer(core.x(), core.y());
    hands.button(1, true);
    hands.button(1, false);
    EXPECT_TRUE(pumpUntil([&] { return v.state() == MenuState::root(std::nullopt); }))
        << "the dismissing click closed the dial: " << ::testing::PrintToString(v.state());
}

// A screenshot tool grabs the pointer and keyboard: a capture chosen from
// an item's menu starts only once the dial is gone and has let both go.
TEST_F(ContextMenuUnderTheGrab, AChosenEntryRunsOnceTheDialHasLetGo) {
    test::FakeTools tools;
    const QString go = tools.folder() + QStringLiteral("/go");
    // The tool runs until the test has looked at the grabs, then fails.
    tools.add(QStringLiteral("gnome-screenshot"),
              QStringLiteral("while [ ! -e '%1' ]; do sleep 0.02; done; exit 1").arg(go));
    ToolLauncher launcher(tools.searchPath());
    ScreenshotRunner screenshots(launcher, {});
    QStringList failures;
    screenshots.setOnFailure([&](const QString& message) { failures << message; });
    d.saved(SectionKind::apps).firstItemActions = {
        MenuAction("Open", [] {}), MenuAction("Capture to Clipboard", [&screenshots] {
            screenshots.capture(ScreenshotArea::area, ScreenshotDestination::clipboard);
        })};
    d.saved(SectionKind::apps).announce();

    popUpTheFirstItemsMenu();
    // The menu has the keyboard: Down, Down and Return choose the capture.
    for (const auto key : {keyDown, keyDown, keyReturn})
        tap(key);
    ASSERT_TRUE(pumpUntil([&] { return tools.calls().size() == 1; })) << "the menu's keys reach it";
    EXPECT_EQ(tools.calls().front(), (QStringList{"gnome-screenshot", "-a", "-c"}));
    EXPECT_FALSE(hands.isPointerGrabbedElsewhere()) << "the tool runs with the pointer free";
    EXPECT_FALSE(hands.isKeyboardGrabbedElsewhere()) << "and the keyboard";
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(v.state().isOpen());
    EXPECT_FALSE(v.contextMenuOpen());

    // A capture that fails is told to the user.
    QFile(go).open(QIODevice::WriteOnly);
    ASSERT_TRUE(pumpUntil([&] { return !failures.isEmpty(); }));
    EXPECT_EQ(failures, QStringList{"Vellaro could not take the screenshot: gnome-screenshot "
                                    "failed (status 1)."});

    // The dial opens again as before.
    panel.present(QPoint(80, 60));
    ASSERT_TRUE(pumpUntil([&] {
        panelClock.advance(OverlayPanel::grabRetryInterval);
        return panel.holdsGrab();
    }));
    v.send(MenuEvent::open());
    const QPoint wedge = onScreen(d.wedge(4));
    hands.movePointer(wedge.x(), wedge.y());
    EXPECT_TRUE(pumpUntil([&] { return v.state() == MenuState::root(4); }))
        << "the pointer reaches the dial: " << ::testing::PrintToString(v.state());
}

} // namespace
} // namespace vellaro
