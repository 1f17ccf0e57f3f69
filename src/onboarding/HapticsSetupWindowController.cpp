#include "onboarding/HapticsSetupWindowController.h"

#include "model/WindowAppearance.h"
#include "onboarding/HapticsSetupView.h"
#include "overlay/MouseHapticsClient.h"
#include "platform/session/Appearance.h"

#include <QVBoxLayout>

namespace vellaro {

HapticsSetupWindowController::HapticsSetupWindowController(
    HapticsSetupServices services, ConsoleWindowFrame::Services frameServices, QObject* parent)
    : QObject(parent), s_(std::move(services)), frameServices_(frameServices) {}

HapticsSetupWindowController::~HapticsSetupWindowController() {
    delete window_.data();
}

void HapticsSetupWindowController::show() {
    if (!window_) {
        // Built first, so that the window is centred at the page's height.
        const Pal pal = WindowAppearance::pal(frameServices_.settings.settings(),
                                              frameServices_.appearance.colorScheme());
        HapticsSetupServices services = s_;
        services.reduceMotion = frameServices_.appearance.reduceMotion();
        view_ = new HapticsSetupView(pal, services);
        const QSize size(HapticsSetupView::width, view_->pageHeight());
        window_ = new ConsoleWindowFrame(frameServices_,
                                         {QStringLiteral("MX Master Haptics"),
                                          QStringLiteral("HapticsSetupWindow"), size, size, false});
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view_);
        view_->setPal(window_->pal());
        connect(window_, &ConsoleWindowFrame::palChanged, view_, &HapticsSetupView::setPal);
        connect(view_, &HapticsSetupView::pageChanged, this,
                &HapticsSetupWindowController::fitHeight);
        connect(view_, &HapticsSetupView::hideRequested, window_, &QWidget::hide);
        fitHeight();
    }
    window_->present();
}

void HapticsSetupWindowController::sendTestTick() {
    s_.haptics.sendTestBurst();
}

void HapticsSetupWindowController::fitHeight() {
    // The top edge stays where it is; the window grows or shrinks below it.
    window_->setFixedSize(HapticsSetupView::width, view_->pageHeight());
}

} // namespace vellaro
