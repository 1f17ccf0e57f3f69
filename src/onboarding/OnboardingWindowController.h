#pragma once

#include "onboarding/OnboardingRootView.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/OnboardingStep.h"
#include "ui/ConsoleWindowFrame.h"

#include <QObject>
#include <QPointer>

namespace vellaro {

// Opens the setup assistant, decides where it resumes, and tells the dial
// whether to wait: while the window is up and the rehearsal not reached.
// A closed window is deleted; the next show builds a new one. Main thread.
class OnboardingWindowController : public QObject {
    Q_OBJECT
public:
    OnboardingWindowController(OnboardingServices services,
                               ConsoleWindowFrame::Services frameServices,
                               QObject* parent = nullptr);
    ~OnboardingWindowController() override;

    // restart: begin on the welcome page (and forget a deferred grant).
    void show(bool restart);

    bool rehearsalReached() const { return rehearsalReached_; }
    bool holdsBackDial() const;
    void bringForward();

    ConsoleWindowFrame* window() const { return window_; }
    OnboardingRootView* rootView() const { return root_; }

private:
    OnboardingServices s_;
    ConsoleWindowFrame::Services frameServices_;
    QPointer<ConsoleWindowFrame> window_;
    QPointer<OnboardingRootView> root_;
    bool rehearsalReached_ = false;
};

} // namespace vellaro
