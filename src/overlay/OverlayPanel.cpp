#include "overlay/OverlayPanel.h"

#include <QGuiApplication>
#include <QPainter>
#include <QWindow>
#include <xcb/xcb.h>

#include <cstdlib>

namespace vellaro {

Q_LOGGING_CATEGORY(overlayLog, "vellaro.overlay")

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// Qt's own grab calls report success even when another client holds the
// grab, so the grabs are taken here and their status read.
bool grabPointerAndKeyboard(xcb_window_t window) {
    xcb_connection_t* c = x11Connection();
    if (!c)
        return true; // no X server (offscreen): nothing to grab
    auto* keyboard =
        xcb_grab_keyboard_reply(c,
                                xcb_grab_keyboard(c, false, window, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr);
    const bool keyboardOk = keyboard && keyboard->status == XCB_GRAB_STATUS_SUCCESS;
    qCDebug(overlayLog) << "keyboard grab status" << (keyboard ? keyboard->status : -1);
    std::free(keyboard);
    if (!keyboardOk)
        return false;
    const uint16_t mask = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE |
                          XCB_EVENT_MASK_POINTER_MOTION | XCB_EVENT_MASK_ENTER_WINDOW |
                          XCB_EVENT_MASK_LEAVE_WINDOW;
    auto* pointer = xcb_grab_pointer_reply(
        c,
        xcb_grab_pointer(c, false, window, mask, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                         XCB_NONE, XCB_CURRENT_TIME),
        nullptr);
    const bool pointerOk = pointer && pointer->status == XCB_GRAB_STATUS_SUCCESS;
    qCDebug(overlayLog) << "pointer grab status" << (pointer ? pointer->status : -1);
    std::free(pointer);
    if (!pointerOk) {
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
        xcb_flush(c);
    }
    return pointerOk;
}

// Maps `window` and takes both grabs in one go. Qt's own show() waits for
// the map to finish before it returns, and a client that answers the map
// (a key tapped the moment the dial appears) would be served before a grab
// asked for after it: its keys would reach the previously focused window.
bool mapAndGrab(xcb_window_t window) {
    if (xcb_connection_t* c = x11Connection())
        xcb_map_window(c, window); // sent with the grab requests below
    return grabPointerAndKeyboard(window);
}

void ungrabPointerAndKeyboard() {
    if (xcb_connection_t* c = x11Connection()) {
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
        xcb_flush(c);
    }
}

} // namespace

OverlayPanel::OverlayPanel(Scheduler& scheduler, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                          Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                          Qt::NoDropShadowWindowHint),
      scheduler_(scheduler) {
    setObjectName(QStringLiteral("VellaroOverlayPanel"));
    setWindowTitle(QStringLiteral("Vellaro Dial"));
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11NetWmWindowTypePopupMenu);
    setFocusPolicy(Qt::NoFocus);
    // Created now so showing the dial later creates no window.
    winId();
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this,
            &OverlayPanel::onFocusWindowChanged);
}

OverlayPanel::~OverlayPanel() {
    cancelGrabAttempt();
}

void OverlayPanel::setContent(QWidget* content) {
    if (content_ == content)
        return;
    const bool regrab = grabbed_;
    if (regrab)
        releaseGrab();
    delete content_;
    content_ = content;
    if (content_) {
        content_->setParent(this);
        content_->setGeometry(rect());
        content_->show();
    }
    if (regrab)
        tryGrab();
}

void OverlayPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (content_)
        content_->setGeometry(rect());
}

void OverlayPanel::paintEvent(QPaintEvent*) {
    // Fully transparent: only the content draws.
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
}

void OverlayPanel::present(QPoint topLeft) {
    cancelGrabAttempt();
    move(topLeft);
    bool grabbedWithMap = false;
    if (!isVisible()) {
        // Qt moves a hidden window only as it shows it: the window goes
        // where it belongs before it maps.
        if (QWindow* window = windowHandle())
            window->setPosition(topLeft);
        grabbedWithMap = mapAndGrab(static_cast<xcb_window_t>(winId()));
        show();
    }
    raise();
    grabDeadline_ = scheduler_.now() + grabRetryWindow;
    if (grabbedWithMap)
        takeQtGrabs();
    else if (!tryGrab())
        scheduleGrabAttempt();
}

void OverlayPanel::dismiss() {
    cancelGrabAttempt();
    releaseGrab();
    hide();
}

bool OverlayPanel::tryGrab() {
    QWindow* window = windowHandle();
    if (!window || !isVisible())
        return false;
    // Refused while another client holds a grab; the caller retries.
    if (!grabPointerAndKeyboard(static_cast<xcb_window_t>(winId())))
        return false;
    takeQtGrabs();
    return true;
}

void OverlayPanel::takeQtGrabs() {
    // Qt's own grab on top routes every event to the content, whatever lies
    // under the pointer.
    QWidget* target = content_ ? content_.data() : this;
    target->grabKeyboard();
    target->grabMouse();
    grabbed_ = true;
    qCDebug(overlayLog) << "panel grabbed pointer and keyboard";
    Q_EMIT grabTaken();
}

void OverlayPanel::releaseGrab() {
    if (!grabbed_)
        return;
    grabbed_ = false;
    if (QWidget* grabber = QWidget::mouseGrabber();
        grabber && (grabber == this || isAncestorOf(grabber)))
        grabber->releaseMouse();
    if (QWidget* grabber = QWidget::keyboardGrabber();
        grabber && (grabber == this || isAncestorOf(grabber)))
        grabber->releaseKeyboard();
    if (QWindow* window = windowHandle()) {
        window->setMouseGrabEnabled(false);
        window->setKeyboardGrabEnabled(false);
    }
    ungrabPointerAndKeyboard();
}

void OverlayPanel::scheduleGrabAttempt() {
    retryTask_ =
        scheduler_.schedule(grabRetryInterval, [this] {
            retryTask_ = 0;
            if (!isVisible() || grabbed_)
                return;
            if (tryGrab())
                return;
            if (scheduler_.now() >= grabDeadline_) {
                qCWarning(overlayLog)
                    << "Could not grab pointer and keyboard; another program holds them";
                hide();
                Q_EMIT grabFailed();
                return;
            }
            scheduleGrabAttempt();
        });
}

void OverlayPanel::cancelGrabAttempt() {
    if (retryTask_ != 0)
        scheduler_.cancel(retryTask_);
    retryTask_ = 0;
}

void OverlayPanel::onFocusWindowChanged(QWindow* window) {
    if (!window || !isVisible() || window == windowHandle())
        return;
    // A popup (the dial's own context menu) takes the focus only while it is
    // up and hands the input back: the dial keeps it, as a panel keeps key
    // status under its menu.
    if (window->type() == Qt::Popup)
        return;
    // One of our own windows became active over the dial: the dial loses
    // the keyboard to it, as a panel losing key status would.
    Q_EMIT focusLost();
}

} // namespace vellaro
