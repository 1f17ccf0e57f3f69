#pragma once

#include "platform/session/Notifications.h"
#include "ui/KitWidget.h"

#include <optional>

class QKeyEvent;
class QMenu;

namespace vellaro {

class ButtonMonitor;
class ConsoleModel;
class ConsoleTriggers;
class MouseButtonCapture;
class RecorderKeyboard;
class SettingsStore;
class TopBarText;
class VelChipButton;

// The console's top bar: the mark and name, the warning line, and the
// recorders of the mouse trigger and the hot key. A hot key is registered
// before it is stored; while it records, the console holds the keyboard so
// combinations other programs use reach it. Main thread.
class TopBar : public KitWidget {
    Q_OBJECT
public:
    struct Services {
        SettingsStore& store;
        Notifications& notifications;
        ConsoleTriggers& triggers;
        RecorderKeyboard& keyboard;
        ButtonMonitor& buttons;
    };

    TopBar(const Pal& pal, ConsoleModel& model, const Services& services,
           QWidget* parent = nullptr);
    ~TopBar() override;

    bool isRecording() const { return recording_; }
    bool isMouseRecording() const { return mouseRecording_; }
    std::optional<QString> message() const { return message_; }
    VelChipButton& mouseChip() const { return *mouseChip_; }
    VelChipButton& hotKeyChip() const { return *hotKeyChip_; }
    // The mouse chip's context menu, or none when there is no trigger.
    QMenu* mouseMenu() const;
    void removeMouseTrigger();

    void toggleHotKeyRecording();
    void toggleMouseRecording();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void setRecording(bool on);
    void capture(const QKeyEvent& key);
    void mouseCaptured(int cgButton);
    void followKeyboardGrab(bool retake = false);
    bool isConsoleEvent(QObject* watched) const;
    void setMessage(std::optional<QString> message);
    void follow();

    ConsoleModel& model_;
    Services services_;
    MouseButtonCapture* mouseCapture_;
    TopBarText* warning_;
    VelChipButton* mouseChip_;
    VelChipButton* hotKeyChip_;
    TopBarText* prompt_;
    QMenu* mouseMenu_;
    Notifications::Token overlayHidden_;
    bool recording_ = false;
    bool mouseRecording_ = false;
    bool keyboardHeld_ = false;
    std::optional<QString> message_;
};

} // namespace vellaro
