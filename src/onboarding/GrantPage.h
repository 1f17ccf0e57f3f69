#pragma once

#include "model/Pal.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/PageTasks.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace vellaro {

class KitAccentButton;

// Asks for window access, watches for it from every source while the page
// exists, and completes once, a moment after it arrives; or is put off.
class GrantPage : public QWidget {
    Q_OBJECT
public:
    enum class Phase { idle, watching, granted };

    static constexpr std::chrono::milliseconds pollInterval{500};
    static constexpr std::chrono::milliseconds grantedPause{900};

    GrantPage(const Pal& pal, OnboardingServices& services, std::function<void()> onDone,
              QWidget* parent = nullptr);

    Phase phase() const { return phase_; }
    KitAccentButton* primaryButton() const { return button_; }
    QPushButton* laterLink() const { return later_; }
    // Why the last request or settings call showed nothing; empty otherwise.
    QString reason() const { return reason_; }

    // Turns the page granted when window access is there.
    void check();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void request();
    void render();

    OnboardingServices& s_;
    std::function<void()> onDone_;
    PageTasks tasks_;
    Phase phase_ = Phase::idle;
    bool advanced_ = false;
    bool watchingSources_ = false;
    KitAccentButton* button_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* reasonLabel_ = nullptr;
    QString reason_;
    QPushButton* reveal_ = nullptr;
    QPushButton* later_ = nullptr;
};

} // namespace vellaro
