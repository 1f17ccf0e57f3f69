#pragma once

#include "app/ExplainerWindow.h"

#include <functional>

namespace vellaro {

// The "Microphone Control" explainer for one authorisation status, fixed
// when the window is built.
class MicrophoneExplainerView : public ExplainerWindow {
    Q_OBJECT
public:
    MicrophoneExplainerView(int status, std::function<void()> onContinue,
                            std::function<void()> onDismiss, QWidget* parent = nullptr);

    int authorizationStatus() const { return status_; }

    static QString statusText(int status);
    static QString continueTitle(int status);

Q_SIGNALS:
    // The title-bar close button, not "Not Now".
    void closedByUser();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int status_;
};

} // namespace vellaro
