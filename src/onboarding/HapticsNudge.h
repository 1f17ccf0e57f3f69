#pragma once

#include "platform/time/Scheduler.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace vellaro {

class Defaults;
class MouseHapticsClient;
class SettingsStore;

// The one-time hint, at launch, that a supported mouse could tick: shown when
// haptics are on, the mouse is there and the plug-in is neither installed nor
// answering. A small capsule top right that never takes the focus, gone after
// a few seconds; a click opens the console. Main thread.
class HapticsNudge : public QObject {
    Q_OBJECT
public:
    static inline const QString shownKey = QStringLiteral("vellaroHapticsNudgeShown");
    static constexpr std::chrono::seconds showFor{8};

    struct Services {
        Defaults& defaults;
        SettingsStore& settings;
        Scheduler& scheduler;
        MouseHapticsClient& haptics;
        std::function<bool()> mouseConnected;
        std::function<bool()> pluginFolderPresent;
        std::function<void()> openConsole;
    };

    explicit HapticsNudge(Services services, QObject* parent = nullptr);
    ~HapticsNudge() override;

    void showIfNeeded();
    void present();
    void openSettings();

    QWidget* panel() const { return panel_; }

private:
    void dismiss();

    Services s_;
    QPointer<QWidget> panel_;
    Scheduler::TaskId dismissTask_ = 0;
};

} // namespace vellaro
