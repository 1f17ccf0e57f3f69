#include "app/MicrophoneExplainerView.h"

#include "platform/audio/MicrophoneAuthorization.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

namespace vellaro {

MicrophoneExplainerView::MicrophoneExplainerView(int authorization,
                                                 std::function<void()> onContinue,
                                                 std::function<void()> onDismiss, QWidget* parent)
    : ExplainerWindow(QStringLiteral("Microphone Control"), QStringLiteral("mic"),
                      QStringLiteral("Control microphone mute"), parent),
      status_(authorization) {
    body()->setText(statusText(authorization));
    ExplainerWindow::status()->hide();
    cancelButton()->setText(QStringLiteral("Not Now"));
    defaultButton()->setText(continueTitle(authorization));
    connect(cancelButton(), &QPushButton::clicked, this, std::move(onDismiss));
    connect(defaultButton(), &QPushButton::clicked, this, std::move(onContinue));
}

QString MicrophoneExplainerView::statusText(int status) {
    switch (status) {
    case MicrophoneAuthorization::notDetermined:
        return QStringLiteral("Vellaro uses the sound server only to read and change the "
                              "microphone’s hardware mute switch. It never records, stores, or "
                              "transmits audio.");
    case MicrophoneAuthorization::restricted:
        return QStringLiteral("Microphone access is restricted by this computer’s policy. You may "
                              "need an administrator to enable it.");
    case MicrophoneAuthorization::denied:
        return QStringLiteral("Microphone access is currently off. Enable Vellaro in Settings → "
                              "Privacy → Microphone to use the Mute Mic action.");
    case MicrophoneAuthorization::authorized:
        return QStringLiteral("Microphone control is enabled.");
    default:
        return QStringLiteral("Open Settings to review microphone access for Vellaro.");
    }
}

QString MicrophoneExplainerView::continueTitle(int status) {
    switch (status) {
    case MicrophoneAuthorization::notDetermined:
        return QStringLiteral("Continue…");
    case MicrophoneAuthorization::authorized:
        return QStringLiteral("Done");
    default:
        return QStringLiteral("Open Settings");
    }
}

void MicrophoneExplainerView::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted())
        Q_EMIT closedByUser();
}

} // namespace vellaro
