#pragma once

#include "model/Pal.h"
#include "onboarding/OnboardingServices.h"

#include <QWidget>
#include <functional>

class QVBoxLayout;

namespace vellaro {

class KitSwitch;

// The closing summary: what is set up, the login and update switches, and
// the button that finishes the assistant.
class ReadyPage : public QWidget {
    Q_OBJECT
public:
    ReadyPage(const Pal& pal, OnboardingServices& services, std::function<void()> onFinish,
              QWidget* parent = nullptr);

    bool accessSatisfied() const { return trusted_; }
    KitSwitch* loginSwitch() const { return login_; }
    KitSwitch* updateSwitch() const { return update_; }

    // Re-reads window access and the login entry.
    void refresh();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QString triggerText() const;
    void renderRows();
    void setLaunchAtLogin(bool on);
    void setAutoUpdate(bool on);

    const Pal pal_;
    OnboardingServices& s_;
    bool shownOnce_ = false;
    bool trusted_ = false;
    QWidget* rows_ = nullptr;
    KitSwitch* login_ = nullptr;
    KitSwitch* update_ = nullptr;
};

} // namespace vellaro
