#include "overlay/OverlayController.h"

#include "overlay/DialGate.h"
#include "overlay/OverlayPanel.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace vellaro {

namespace {
const QString didShow = QStringLiteral("vellaroOverlayDidShow");
const QString didHide = QStringLiteral("vellaroOverlayDidHide");

int sideFor(double scale) {
    return static_cast<int>(std::lround(OverlayController::panelSide * scale));
}
} // namespace

OverlayController::OverlayController(Collaborators collaborators, QObject* parent)
    : QObject(parent), c_(std::move(collaborators)) {
    const DialSettings settings = c_.settings();
    builtScale_ = settings.scale;
    builtSections_ = settings.sections;

    panel_ = std::make_unique<OverlayPanel>(c_.scheduler);
    const int side = sideFor(builtScale_);
    panel_->resize(side, side);
    installView(c_.makeView(builtScale_, side));

    // Another window of ours took the input: the dial closes without effect,
    // unless its own context menu is what took it.
    connect(panel_.get(), &OverlayPanel::focusLost, this, [this] {
        if (isShown() && !radialView_->contextMenuOpen())
            radialView_->sendFocusLost();
    });
    // The pointer may have moved while the dial was being shown.
    connect(panel_.get(), &OverlayPanel::grabTaken, this, [this] {
        if (isShown())
            radialView_->pointerAt(c_.pointer());
    });
    // The grab could not be had: the panel has hidden itself.
    connect(panel_.get(), &OverlayPanel::grabFailed, this, [this] {
        radialView_->panelDidHide();
        qCDebug(overlayLog) << "posted" << didHide;
        c_.post(didHide);
    });
}

OverlayController::~OverlayController() {
    // The view's widget belongs to the panel; drop the view first.
    radialView_.reset();
    panel_.reset();
}

bool OverlayController::isShown() const {
    return panel_->isPresented();
}

void OverlayController::installView(std::unique_ptr<OverlayDialView> view) {
    view->setOnDismiss([this] { hide(); });
    panel_->setContent(view->widget());
    radialView_ = std::move(view);
    // Once start-up or the rebuild is over, not in its way.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!isShown())
                radialView_->warmUp();
        },
        Qt::QueuedConnection);
}

void OverlayController::triggerDown(std::uint32_t serverTime) {
    const bool wasVisible = isShown();
    if (wasVisible) {
        // The dial keeps its state for the next opening; only its timers stop.
        orderOut();
    } else {
        // Taken before showing: the show (grab, backdrop) is part of the hold.
        pressBegan_ = c_.scheduler.now();
        pressServerTime_ = serverTime;
        show(c_.pointer());
    }
    suppressNextRelease_ = wasVisible;
}

void OverlayController::triggerUp(std::uint32_t serverTime) {
    if (suppressNextRelease_) {
        suppressNextRelease_ = false;
        return;
    }
    if (!isShown() || !pressBegan_)
        return;
    const auto hold = std::chrono::duration<double, std::milli>(c_.settings().gestureHoldMS);
    // The X server stamps both events when they happen, however late we see
    // them; its clock wraps after 49 days, which unsigned subtraction absorbs.
    const auto elapsed =
        pressServerTime_ != 0 && serverTime != 0
            ? std::chrono::duration<double, std::milli>(
                  std::uint32_t(serverTime - pressServerTime_))
            : std::chrono::duration<double, std::milli>(c_.scheduler.now() - *pressBegan_);
    if (elapsed > hold)
        radialView_->sendTriggerReleased();
}

void OverlayController::show(QPointF at) {
    if (c_.gate.holdsBackDial()) {
        c_.gate.bringForward();
        return;
    }
    const std::vector<DialPlacement::Screen> screens = c_.screens();
    if (screens.empty())
        return;
    const auto screen = DialPlacement::screenAt(at, screens, screens.front());
    const QPointF centre =
        DialPlacement::centre(at, screen->visibleFrame, placementInset * radialView_->scale());
    const QPoint topLeft(static_cast<int>(std::lround(centre.x() - panel_->width() / 2.0)),
                         static_cast<int>(std::lround(centre.y() - panel_->height() / 2.0)));

    c_.refreshData();
    if (!isShown())
        radialView_->prepareToShow(QRect(topLeft, panel_->size()));
    panel_->present(topLeft);
    radialView_->sendOpen();
    if (panel_->holdsGrab())
        radialView_->pointerAt(c_.pointer());
    radialView_->widget()->setFocus(Qt::OtherFocusReason);
    qCDebug(overlayLog) << "dial shown, centre" << centre.x() << centre.y();
    qCDebug(overlayLog) << "posted" << didShow;
    c_.post(didShow);
}

void OverlayController::hide() {
    orderOut();
}

void OverlayController::orderOut() {
    const bool wasVisible = isShown();
    panel_->dismiss();
    radialView_->panelDidHide();
    if (wasVisible) {
        qCDebug(overlayLog) << "posted" << didHide;
        c_.post(didHide);
    }
}

void OverlayController::settingsDidChange() {
    c_.registerHotKey();
    const DialSettings settings = c_.settings();
    if (settings.scale == builtScale_ && settings.sections == builtSections_) {
        radialView_->reload();
        return;
    }
    builtScale_ = settings.scale;
    builtSections_ = settings.sections;
    orderOut();
    const int side = sideFor(builtScale_);
    panel_->resize(side, side);
    installView(c_.makeView(builtScale_, side));
}

std::vector<DialPlacement::Screen> OverlayController::systemScreens() {
    std::vector<DialPlacement::Screen> result;
    QScreen* primary = QGuiApplication::primaryScreen();
    if (primary)
        result.push_back({primary->geometry(), primary->availableGeometry()});
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary)
            result.push_back({screen->geometry(), screen->availableGeometry()});
    }
    return result;
}

} // namespace vellaro
