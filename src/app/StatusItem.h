#pragma once

#include "platform/time/Scheduler.h"

#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace vellaro {

class SettingsConsole;
class SetupAssistant;
class UpdateService;

// Vellaro's mark in the desktop's status area with its menu: open the dial,
// a disabled line naming the triggers, the windows, quit. The mark's gap
// turns slowly, and rests while the desktop asks for reduced motion.
class StatusItem : public QObject {
    Q_OBJECT
public:
    struct Collaborators {
        Scheduler& scheduler;
        SettingsConsole& settingsConsole;
        SetupAssistant& setupAssistant;
        UpdateService& updates;
        std::function<void()> openAtPointer;
        std::function<QString()> hintText;
        std::function<bool()> reduceMotion;
        std::function<bool()> panelIsDark; // picks the mark's ink
        // Whether the desktop has a status area to show the item in.
        std::function<bool()> statusAreaAvailable;
    };

    static constexpr std::chrono::milliseconds tickInterval{250};
    static constexpr double tickStep = 0.75; // degrees

    explicit StatusItem(Collaborators collaborators, QObject* parent = nullptr);
    ~StatusItem() override;

    QSystemTrayIcon* statusItem() const { return statusItem_; }
    QMenu* menu() const { return menu_; }
    QAction* hintItem() const { return hintItem_; }
    // Whether the desktop had a status area (system tray) at start.
    bool hasStatusArea() const { return hasStatusArea_; }
    double markAngle() const { return markAngle_; }

    // Retitles the hint line; runs each time the menu is about to open.
    void menuNeedsUpdate();
    void advanceMark(double step);

private:
    void redraw();
    void scheduleTick();

    Collaborators c_;
    QMenu* menu_ = nullptr;
    QSystemTrayIcon* statusItem_ = nullptr;
    QAction* hintItem_ = nullptr;
    bool hasStatusArea_ = false;
    double markAngle_ = 0;
    Scheduler::TaskId markTimer_ = 0;
};

} // namespace vellaro
