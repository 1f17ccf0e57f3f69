#include "updates/UpdateWindowController.h"

#include "model/WindowAppearance.h"
#include "platform/session/Appearance.h"
#include "updates/UpdateControls.h"
#include "updates/UpdateRootView.h"
#include "updates/UpdateViewModel.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace vellaro {

UpdateWindowController::UpdateWindowController(UpdateViewModel& model, UpdateControls& controls,
                                               const QUrl& website)
    : UpdateWindowController(model, controls, website, SettingsStore::shared(),
                             Appearance::shared()) {}

UpdateWindowController::UpdateWindowController(UpdateViewModel& model, UpdateControls& controls,
                                               const QUrl& website, SettingsStore& settings,
                                               Appearance& appearance)
    : model_(model), controls_(controls), website_(website), settings_(settings),
      appearance_(appearance) {
    connect(&appearance_, &Appearance::changed, this, &UpdateWindowController::applyAppearance);
}

UpdateWindowController::~UpdateWindowController() {
    if (observer_)
        settings_.removeObserver(*observer_);
}

void UpdateWindowController::show() {
    model_.setAutoUpdateEnabled(controls_.automaticallyDownloadsUpdates());
    if (!window_) {
        window_ =
            std::make_unique<UpdateRootView>(model_, controls_, website_, [this] { orderOut(); });
        window_->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                Qt::CustomizeWindowHint);
        window_->setWindowTitle(QStringLiteral("Vellaro Update"));
        applyAppearance();
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = window_->rect();
            frame.moveCenter(screen->availableGeometry().center());
            window_->move(frame.topLeft());
        }
    }
    if (!observer_) {
        observer_ = settings_.addObserver([guard = QPointer<UpdateWindowController>(this)] {
            if (guard)
                guard->applyAppearance();
        });
    }
    applyAppearance();
    window_->show();
    window_->raise();
    window_->activateWindow();
    window_->setFocus(); // Return reaches the primary button
}

void UpdateWindowController::orderOut() {
    if (window_)
        window_->hide();
}

void UpdateWindowController::applyAppearance() {
    if (!window_)
        return;
    const ColorScheme desktop = appearance_.colorScheme();
    window_->setAppearance(WindowAppearance::pal(settings_.settings(), desktop),
                           WindowAppearance::scheme(settings_.settings(), desktop));
}

} // namespace vellaro
