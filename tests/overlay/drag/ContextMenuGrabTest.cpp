// A context menu opened on the overlay dial, whose panel holds the pointer and
// keyboard grabs, takes the input while it is up and hands it back when it
// closes: driven through a real X server with XTest.

#include "EventPump.h"
#include "PreviewDial.h"
#include "XcbTestClient.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vellaro {
namespace {

using test::PreviewDial;
using test::pumpUntil;

constexpr std::uint32_t keyDown = 0xff54;
constexpr std::uint32_t keyReturn = 0xff0d;
constexpr std::uint32_t keyEscape = 0xff1b;

// Stands in for the overlay's panel: a window that never takes the focus and,
// while shown, holds the X pointer and keyboard grabs on itself with Qt's
// grabs on its content on top, as the panel does.
class GrabbingPanel : public QWidget {
public:
    GrabbingPanel()
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                               Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus) {
        setAttribute(Qt::WA_ShowWithoutActivating);
    }

    bool grab(QWidget& content) {
        auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        xcb_connection_t* c = x11 ? x11->connection() : nullptr;
        if (!c)
            return false;
        const auto window = static_cast<xcb_window_t>(winId());
        auto* keyboard =
            xcb_grab_keyboard_reply(c,
                                    xcb_grab_keyboard(c, false, window, XCB_CURRENT_TIME,
                                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                    nullptr);
        const bool keyboardOk = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(keyboard);
        const uint16_t mask = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                              XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                              XCB_EVENT_MASK_LEAVE_WINDOW;
        auto* pointer = xcb_grab_pointer_reply(
            c,
            xcb_grab_pointer(c, false, window, mask, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                             XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
            nullptr);
        const bool pointerOk = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(pointer);
        if (!keyboardOk || !pointerOk)
            return false;
        content.grabKeyboard();
        content.grabMouse();
        return true;
    }
};

TEST(ContextMenuUnderTheGrab, TheMenuTakesTheInputAndGivesItBack) {
    test::XcbTestClient hands;
    GrabbingPanel panel;
    panel.resize(PreviewDial::side, PreviewDial::side);
    panel.move(80, 60);
    PreviewDial d({}, &panel);
    RadialMenuView& v = *d.view;
    int reveals = 0;
    int quits = 0;
    d.saved(SectionKind::apps).firstItemActions = {MenuAction("Reveal", [&reveals] { ++reveals; }),
                                                   MenuAction("Quit", [&quits] { ++quits; })};
    d.saved(SectionKind::apps).announce();

    panel.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&panel));
    ASSERT_TRUE(pumpUntil([&] { return panel.grab(v); })) << "the panel's grab";
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
}

} // namespace
} // namespace vellaro
