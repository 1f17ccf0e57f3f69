#pragma once

#include "model/Pal.h"
#include "model/SettingsStore.h"
#include "onboarding/OnboardingServices.h"
#include "onboarding/PageTasks.h"
#include "platform/session/Notifications.h"

#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

namespace vellaro {

// The rehearsal: shows the triggers as key caps and completes a moment after
// the real dial has been opened and closed while the page is up.
class HotkeyPage : public QWidget {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds closedPause{400};

    // onReached: the page is on screen, the dial may open over the assistant.
    HotkeyPage(const Pal& pal, OnboardingServices& services, std::function<void()> onReached,
               std::function<void()> onDone, QWidget* parent = nullptr);
    ~HotkeyPage() override;

    bool opened() const { return opened_; }
    QStringList capTexts() const;
    bool showsMouseChip() const;
    bool showsWarning() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void dialShown();
    void dialHidden();
    void render();

    const Pal pal_;
    OnboardingServices& s_;
    std::function<void()> onReached_;
    std::function<void()> onDone_;
    PageTasks tasks_;
    SettingsStore::ObserverToken settingsObserver_ = 0;
    bool reached_ = false;
    bool opened_ = false;
    bool advanced_ = false;
    QLabel* paragraph_ = nullptr;
    QWidget* triggerRow_ = nullptr;
    QWidget* outcome_ = nullptr;
};

} // namespace vellaro
