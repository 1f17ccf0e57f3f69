#include "overlay/MaterialBackdrop.h"

#include "overlay/BoxBlur.h"
#include "overlay/Logging.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

// The X screen number of DISPLAY (":0.1" is screen 1).
int displayScreenNumber() {
    const QByteArray display = qgetenv("DISPLAY");
    const int colon = display.lastIndexOf(':');
    const int dot = display.indexOf('.', colon < 0 ? 0 : colon);
    if (dot < 0)
        return 0;
    bool ok = false;
    const int screen = display.mid(dot + 1).toInt(&ok);
    return ok ? screen : 0;
}

constexpr int blurRadius = 18;

} // namespace

bool MaterialBackdrop::compositingManagerPresent() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return false;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(displayScreenNumber());
    const auto atomCookie = xcb_intern_atom(connection, 1, name.size(), name.constData());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

MaterialBackdrop::Mode MaterialBackdrop::modeFor(bool previewMode, bool compositing) {
    if (previewMode)
        return Mode::none;
    return compositing ? Mode::translucentWindow : Mode::screenSnapshot;
}

MaterialBackdrop::MaterialBackdrop(Mode mode) : mode_(mode) {}

void MaterialBackdrop::prepareWindow(QWidget& window) const {
    if (mode_ == Mode::translucentWindow)
        window.setAttribute(Qt::WA_TranslucentBackground);
}

void MaterialBackdrop::capture(QScreen* screen, const QRect& area) {
    if (mode_ != Mode::screenSnapshot || !screen)
        return;
    const QRect local = area.translated(-screen->geometry().topLeft());
    const QPixmap grab = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height());
    if (grab.isNull()) {
        qCWarning(lcRadial) << "Could not grab the screen under the dial";
        return;
    }
    setSnapshot(grab.toImage());
}

void MaterialBackdrop::setSnapshot(const QImage& snapshot) {
    snapshot_ = snapshot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    blurred_ = boxBlurred(snapshot_, blurRadius);
}

void MaterialBackdrop::paint(QPainter& painter, const QSize& size, const QPainterPath& shapes,
                             bool blur) const {
    if (!paints())
        return;
    const QRectF target(QPointF(0, 0), QSizeF(size));
    painter.drawImage(target, snapshot_);
    if (!blur)
        return;
    painter.save();
    painter.setClipPath(shapes);
    painter.drawImage(target, blurred_);
    painter.restore();
}

} // namespace vellaro
