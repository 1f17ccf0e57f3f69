// A context menu opened on the overlay dial, whose panel holds the pointer and
// keyboard grabs, takes the input while it is up and hands it back when it
// closes: driven through a real X server with XTest.

#include "EventPump.h"
#include "PreviewDial.h"
#include "support/XcbTestClient.h"
#include "overlay/OverlayPanel.h"
#include "support/ManualScheduler.h"

#include <QApplication>
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

TEST(ContextMenuUnderTheGrab, TheMenuTakesTheInputAndGivesItBack) {
    test::XcbTestClient hands;
    test::ManualScheduler panelClock;
    OverlayPanel panel(panelClock);
    panel.resize(PreviewDial::side, PreviewDial::side);
    PreviewDial d({}, &panel);
    RadialMenuView& v = *d.view;
    int reveals = 0;
    int quits = 0;
    d.saved(SectionKind::apps).firstItemActions = {MenuAction("Reveal", [&reveals] { ++reveals; }),
                                                   MenuAction("Quit", [&quits] { ++quits; })};
    d.saved(SectionKind::apps).announce();

    panel.setContent(&v);
    // A popup of our own taking the focus is what the overlay treats as the
    // dial losing it; the menu must not count as that.
    QObject::connect(&panel, &OverlayPanel::focusLost, [&v] { v.send(MenuEvent::focusLost()); });
    panel.present(QPoint(80, 60));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    ASSERT_TRUE(pumpUntil([&] {
        panelClock.advance(OverlayPanel::grabRetryInterval);
        return panel.holdsGrab();
    })) << "the panel's grab";
    ASSERT_TRUE(hands.isPointerGrabbedElsewhere());

    v.send(MenuEvent::open());
    v.send(MenuEvent::primaryAction(RadialHit::wedge(2))); // the apps fan
    ASSERT_EQ(v.state(), MenuState::submenu(2));
    const auto onScreen = [&](QPointF p) { return v.mapToGlobal(p).toPoint(); };
    const QPoint item = onScreen(d.item(0));
    hands.movePointer(item.x(), item.y());
    ASSERT_TRUE(pumpUntil([&] { return v.state() == MenuState::submenu(2, 0); }));

    hands.button(3, true);
    hands.button(3, false);
    ASSERT_TRUE(pumpUntil([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }))
        << "a secondary click on the item pops its menu up";
    EXPECT_TRUE(v.contextMenuOpen());

    // The menu has the keyboard: Down and Return choose its first entry.
    for (const auto key : {keyDown, keyReturn}) {
        hands.key(key, true);
        hands.key(key, false);
    }
    ASSERT_TRUE(pumpUntil([&] { return reveals == 1; })) << "the menu's keys reach it";
    EXPECT_EQ(quits, 0);
    ASSERT_TRUE(pumpUntil([&] { return !v.contextMenuOpen(); }));
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
    hands.key(keyEscape, true);
    hands.key(keyEscape, false);
    EXPECT_TRUE(pumpUntil([&] { return !v.state().submenuSection(); }))
        << "keys reach the dial again";

    // A click outside the menu (here outside the ring, where a click closes
    // the dial) only closes the menu.
    v.send(MenuEvent::primaryAction(RadialHit::wedge(2)));
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

} // namespace
} // namespace vellaro
