#include "app/RadialDialView.h"

#include "app/Logging.h"

#include <QGuiApplication>
#include <QScreen>

namespace vellaro {

namespace {
QString describe(const MenuState& state) {
    switch (state.kind()) {
    case MenuState::Kind::root:
        return state.rootHover()
                   ? QStringLiteral("ring, section %1 hovered").arg(*state.rootHover())
                   : QStringLiteral("ring");
    case MenuState::Kind::submenu:
        return QStringLiteral("fan of section %1 open").arg(*state.submenuSection());
    case MenuState::Kind::closed:
        return QStringLiteral("closed");
    }
    return {};
}
} // namespace

RadialDialView::RadialDialView(double scale, int side, const RadialMenuView::Services& services)
    : view_(new RadialMenuView(QSize(side, side), scale, false, services)) {}

RadialDialView::~RadialDialView() = default;

double RadialDialView::scale() const {
    return view_ ? view_->scale() : 1.0;
}

bool RadialDialView::contextMenuOpen() const {
    return view_ && view_->contextMenuOpen();
}

void RadialDialView::setOnDismiss(std::function<void()> onDismiss) {
    if (view_)
        view_->onDismiss = std::move(onDismiss);
}

void RadialDialView::send(const MenuEvent& event, const char* name) {
    if (!view_)
        return;
    view_->send(event);
    // Tests and the session check read this line (vellaro.app.debug).
    qCDebug(appLog).noquote() << "dial" << name << "->" << describe(view_->state());
}

void RadialDialView::sendOpen() {
    send(MenuEvent::open(), "open");
}
void RadialDialView::sendTriggerReleased() {
    send(MenuEvent::triggerReleased(), "trigger released");
}
void RadialDialView::sendFocusLost() {
    send(MenuEvent::focusLost(), "focus lost");
}

void RadialDialView::pointerAt(QPointF global) {
    if (!view_)
        return;
    view_->pointerAt(view_->mapFromGlobal(global));
    qCDebug(appLog).noquote() << "dial pointer read again ->" << describe(view_->state());
}

void RadialDialView::reload() {
    if (view_)
        view_->reload();
}

void RadialDialView::panelDidHide() {
    if (view_)
        view_->panelDidHide();
}

void RadialDialView::warmUp() {
    if (!view_)
        return;
    // The picture of the screen and its blur too, so the threads that make
    // them hold their buffers from the start, as after any opening.
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen)
        view_->backdrop().capture(screen, QRect(screen->geometry().topLeft(), view_->size()));
    view_->warmUp();
}

void RadialDialView::prepareToShow(const QRect& globalFrame) {
    if (!view_)
        return;
    QScreen* screen = QGuiApplication::screenAt(globalFrame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    // Without a compositor the dial draws the screen behind it itself.
    view_->backdrop().capture(screen, globalFrame);
}

} // namespace vellaro
