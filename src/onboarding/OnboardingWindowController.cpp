#include "onboarding/OnboardingWindowController.h"

#include "onboarding/Logging.h"
#include "onboarding/OnboardingProgress.h"
#include "onboarding/OnboardingRootView.h"
#include "onboarding/OnboardingShell.h"
#include "platform/session/Appearance.h"
#include "platform/session/Defaults.h"

#include <QVBoxLayout>

namespace vellaro {

OnboardingWindowController::OnboardingWindowController(OnboardingServices services,
                                                       ConsoleWindowFrame::Services frameServices,
                                                       QObject* parent)
    : QObject(parent), s_(services), frameServices_(frameServices) {}

OnboardingWindowController::~OnboardingWindowController() {
    delete window_.data();
}

void OnboardingWindowController::show(bool restart) {
    if (restart)
        s_.defaults.remove(OnboardingProgress::grantDeferredKey);
    if (!window_) {
        const OnboardingStep start =
            restart ? OnboardingStep::welcome
                    : OnboardingProgress::read(s_.defaults).resumeStep(s_.shell.isTrusted());
        rehearsalReached_ = start > OnboardingStep::grant;
        const QSize size(440, 520);
        // Centred at every build, so its frame is not kept.
        window_ = new ConsoleWindowFrame(
            frameServices_, {QStringLiteral("Welcome to Vellaro"), QString(), size, size, false});
        window_->setAttribute(Qt::WA_DeleteOnClose);
        window_->setFixedSize(size);
        auto* layout = new QVBoxLayout(window_);
        layout->setContentsMargins(0, 0, 0, 0);
        // The root view takes the window's palette as it is now; a theme change
        // re-applies the frame's gradient and window scheme at once.
        root_ = new OnboardingRootView(window_->pal(), s_, start,
                                       {[this] { rehearsalReached_ = true; },
                                        [this] {
                                            if (window_)
                                                window_->close();
                                        }},
                                       frameServices_.appearance.reduceMotion(), window_);
        layout->addWidget(root_);
    }
    window_->present();
}

bool OnboardingWindowController::holdsBackDial() const {
    return window_ && window_->isVisible() && !rehearsalReached_;
}

void OnboardingWindowController::bringForward() {
    qCDebug(lcOnboarding) << "setup assistant holds the dial back";
    if (window_)
        window_->present();
}

} // namespace vellaro
