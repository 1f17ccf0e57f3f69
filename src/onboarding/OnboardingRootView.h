#pragma once

#include "model/Pal.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/OnboardingStep.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QLabel;
class QTimer;
class QVBoxLayout;

namespace vellaro {

// The assistant's content: the turning mark, the wordmark, the step dots and
// the current page, which moves on only through the page's own completion.
class OnboardingRootView : public QWidget {
    Q_OBJECT
public:
    struct Callbacks {
        std::function<void()> rehearsalReached;
        std::function<void()> finish;
    };

    OnboardingRootView(const Pal& pal, OnboardingServices& services, OnboardingStep start,
                       Callbacks callbacks, bool reduceMotion, QWidget* parent = nullptr);

    OnboardingStep step() const { return step_; }
    QWidget* page() const { return page_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void go(OnboardingStep step);
    QWidget* makePage(OnboardingStep step);
    void paintDots();

    const Pal pal_;
    OnboardingServices& s_;
    Callbacks callbacks_;
    const bool reduceMotion_;
    OnboardingStep step_;
    QWidget* mark_ = nullptr;
    QWidget* dots_ = nullptr;
    QVBoxLayout* pageSlot_ = nullptr;
    QPointer<QWidget> page_;
    QTimer* spin_ = nullptr;
};

} // namespace vellaro
