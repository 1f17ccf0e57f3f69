#pragma once

#include "model/Pal.h"
#include "onboarding/HapticsSetupServices.h"
#include "onboarding/HapticsSetupState.h"
#include "platform/time/Scheduler.h"

#include <QPointer>
#include <QWidget>
#include <array>
#include <chrono>
#include <functional>

class QVBoxLayout;

namespace vellaro {

class KitAccentButton;
class HapticsSetupRow;

// The haptics wizard's content: explain, the checklist of the two installs
// and the closing page. While shown it checks the disk and probes the
// plug-in once a second, one pass at a time; the plug-in's first answer on
// the checklist sends a test burst. It never shows success before the
// plug-in has answered. Main thread.
class HapticsSetupView : public QWidget {
    Q_OBJECT
public:
    static constexpr char changedNotification[] = "vellaroMXHapticsChanged";
    static constexpr std::chrono::seconds pollInterval{1};
    static constexpr int width = 440;

    HapticsSetupView(const Pal& pal, HapticsSetupServices services, QWidget* parent = nullptr);
    ~HapticsSetupView() override;

    HapticsSetupPhase phase() const { return phase_; }
    const HapticsSetupState& state() const { return state_; }
    QWidget* page() const { return page_; }
    // Whether a probe is out; never more than one is.
    bool probing() const { return probing_; }
    // The height the current page needs at the fixed width.
    int pageHeight() const;

    void setPal(const Pal& pal);
    // A test burst; changes nothing here.
    void sendTestTick();

Q_SIGNALS:
    // The page changed and with it the height it needs.
    void pageChanged();
    // "Not Now", "Later" or the closing page's "Done".
    void hideRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void go(HapticsSetupPhase phase);
    void rebuild();
    QWidget* explainPage();
    QWidget* stepsPage();
    QWidget* donePage();
    void addHead(QVBoxLayout* page, const char* title, const char* text);
    // The quiet and the accent button, centred; returns the accent one.
    KitAccentButton* addButtons(QVBoxLayout* page, const QString& quiet,
                                std::function<void()> onQuiet, const QString& accent,
                                std::function<void()> onAccent);
    void refresh();
    void chipClicked(int row);

    void readDisk();
    void pass();
    void answered(bool reachable);

    Pal pal_;
    HapticsSetupServices s_;
    HapticsSetupPhase phase_ = HapticsSetupPhase::explain;
    HapticsSetupState state_;
    QVBoxLayout* slot_ = nullptr;
    QPointer<QWidget> page_;
    std::array<HapticsSetupRow*, 3> rows_{};
    KitAccentButton* done_ = nullptr;

    // A pass is a disk check and a probe; the next one starts a second after
    // the answer. Hiding stops the loop and bumps the generation, so an
    // answer still on its way is dropped.
    bool polling_ = false;
    bool probing_ = false;
    quint64 generation_ = 0;
    Scheduler::TaskId nextPass_ = 0;
};

} // namespace vellaro
