#include "overlay/MaterialBackdrop.h"
#include "overlay/ScreenGrab.h"
#include "support/ManualScheduler.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vellaro {
namespace {

xcb_connection_t* connection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

xcb_atom_t atom(const char* name) {
    auto* c = connection();
    auto* reply = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, strlen(name), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

// The session's window manager composites nothing; a client that takes the
// compositing manager selection turns the translucent backdrop on.
TEST(MaterialBackdropSession, FollowsTheCompositingManagerSelection) {
    EXPECT_FALSE(MaterialBackdrop::compositingManagerPresent());
    EXPECT_EQ(MaterialBackdrop::modeFor(false, false), MaterialBackdrop::Mode::screenSnapshot);
    EXPECT_EQ(MaterialBackdrop::modeFor(true, false), MaterialBackdrop::Mode::none);

    auto* c = connection();
    const xcb_window_t owner = xcb_generate_id(c);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    const xcb_atom_t selection = atom("_NET_WM_CM_S0");
    xcb_set_selection_owner(c, owner, selection, XCB_CURRENT_TIME);
    xcb_flush(c);
    EXPECT_TRUE(MaterialBackdrop::compositingManagerPresent());
    xcb_set_selection_owner(c, XCB_NONE, selection, XCB_CURRENT_TIME);
    xcb_destroy_window(c, owner);
    xcb_flush(c);
    EXPECT_FALSE(MaterialBackdrop::compositingManagerPresent());
}

// Without a compositor the screen under the dial is grabbed once and drawn
// behind it, blurred only inside the dial's shapes.
TEST(MaterialBackdropSession, GrabsTheScreenUnderThePanel) {
    QWidget marker;
    marker.setWindowFlags(Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
    marker.setStyleSheet("background: rgb(255, 0, 0);");
    marker.setGeometry(100, 100, 200, 200);
    marker.show();
    for (int i = 0; i < 50 && !marker.isVisible(); ++i)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QGuiApplication::sync();

    test::ManualScheduler scheduler;
    MaterialBackdrop backdrop(MaterialBackdrop::Mode::screenSnapshot, scheduler);
    backdrop.capture(QGuiApplication::primaryScreen(), QRect(50, 50, 300, 300));
    ASSERT_TRUE(backdrop.hasSnapshot());
    // The blur is made on a worker and fades in once it arrives.
    backdrop.startBlur();
    ASSERT_TRUE(QTest::qWaitFor([&] { return backdrop.hasBlur(); }, 5000));
    scheduler.advance(MaterialBackdrop::fadeDuration);

    QImage image(300, 300, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterPath shapes;
    shapes.addRect(0, 0, 300, 150);
    backdrop.paint(painter, image.size(), shapes, true);
    painter.end();
    // The red window shows sharp outside the shapes...
    EXPECT_EQ(image.pixelColor(150, 240), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(20, 240).red() < 200, true);
    // ...and blurred inside them, where its edge is soft.
    const QColor edge = image.pixelColor(50, 100);
    EXPECT_GT(edge.red(), 20);
    EXPECT_LT(edge.red(), 240);
}

// A dial near the screen's edge reaches past it: the picture keeps the
// panel's size, black where there is no screen.
TEST(MaterialBackdropSession, GrabPastTheScreenEdgeKeepsItsPlace) {
    QWidget marker;
    marker.setWindowFlags(Qt::X11BypassWindowManagerHint | Qt::FramelessWindowHint);
    marker.setStyleSheet("background: rgb(255, 0, 0);");
    marker.setGeometry(0, 0, 60, 60);
    marker.show();
    for (int i = 0; i < 50 && !marker.isVisible(); ++i)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QGuiApplication::sync();

    const QImage image = grabScreenArea(QGuiApplication::primaryScreen(), QRect(-40, -40, 80, 80));
    ASSERT_EQ(image.size(), QSize(80, 80));
    EXPECT_EQ(image.pixelColor(10, 10), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(10, 60), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(50, 50), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(79, 79), QColor(255, 0, 0));
}

} // namespace
} // namespace vellaro
