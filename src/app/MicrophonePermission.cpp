#include "app/MicrophonePermission.h"

#include "app/MicrophoneExplainerView.h"
#include "app/SettingsPanes.h"
#include "platform/audio/MicrophoneAuthorization.h"

#include <QGuiApplication>

namespace vellaro {

MicrophonePermission::MicrophonePermission(MicrophoneAuthorization& authorization,
                                           SettingsPanes& panes)
    : authorization_(authorization), panes_(panes) {}

MicrophonePermission::~MicrophonePermission() {
    clearObservers();
    delete window_;
}

MicrophonePermission& MicrophonePermission::shared() {
    // Never destroyed: its window must not outlive the application object.
    static auto* instance =
        new MicrophonePermission(MicrophoneAuthorization::shared(), SettingsPanes::desktop());
    return *instance;
}

void MicrophonePermission::perform(std::function<void()> action) {
    if (authorization_.status() == MicrophoneAuthorization::authorized) {
        action();
        return;
    }
    pendingAction_ = std::move(action);
    presentExplainer();
}

void MicrophonePermission::presentExplainer() {
    QObject::disconnect(closeToken_);
    if (window_) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    const int status = authorization_.status();
    auto* window = new MicrophoneExplainerView(
        status, [this, status] { handleContinue(status); }, [this] { closeExplainer(); });
    closeToken_ = QObject::connect(window, &MicrophoneExplainerView::closedByUser, window, [this] {
        if (window_) {
            window_->deleteLater();
            window_ = nullptr;
        }
        clearObservers();
        pendingAction_ = nullptr;
    });
    if (!activationToken_) {
        activationToken_ = QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged,
                                            [this](Qt::ApplicationState state) {
                                                if (state == Qt::ApplicationActive)
                                                    applicationDidBecomeActive();
                                            });
    }
    window_ = window;
    window_->present();
}

void MicrophonePermission::applicationDidBecomeActive() {
    if (authorization_.status() == MicrophoneAuthorization::authorized && pendingAction_)
        grantAndRun();
}

void MicrophonePermission::handleContinue(int status) {
    switch (status) {
    case MicrophoneAuthorization::notDetermined:
        authorization_.requestAccess([this](bool granted) {
            if (granted)
                grantAndRun();
            else
                presentExplainer();
        });
        return;
    case MicrophoneAuthorization::authorized:
        grantAndRun();
        return;
    default:
        openSystemSettings();
    }
}

void MicrophonePermission::grantAndRun() {
    std::function<void()> action = std::move(pendingAction_);
    pendingAction_ = nullptr;
    closeExplainer();
    if (action)
        action();
}

void MicrophonePermission::closeExplainer() {
    if (window_) {
        window_->hide();
        window_->deleteLater();
        window_ = nullptr;
    }
    clearObservers();
    pendingAction_ = nullptr;
}

void MicrophonePermission::clearObservers() {
    QObject::disconnect(closeToken_);
    QObject::disconnect(activationToken_);
    closeToken_ = {};
    activationToken_ = {};
}

void MicrophonePermission::openSystemSettings() {
    panes_.openMicrophone();
}

} // namespace vellaro
