#pragma once

#include <QObject>
#include <Qt>

#include <functional>
#include <vector>

namespace vellaro {

class ButtonMonitor;
class ConsoleTriggers;

// Records the next extra mouse button pressed anywhere: the running mouse
// trigger stands aside meanwhile, a session-wide monitor hears presses over
// other programs, and presses over our own windows are taken before any
// widget sees them (a middle press must not paste into a field). Main thread.
class MouseButtonCapture : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int cgButton)>;

    MouseButtonCapture(ConsoleTriggers& triggers, ButtonMonitor& monitor,
                       QObject* parent = nullptr);
    ~MouseButtonCapture() override;

    // Replaces a running recording. `onButton` hears the first press from
    // the event loop, after the events read with it.
    void start(Handler onButton);
    // Ends the recording and brings the trigger back; true when another
    // program holds the trigger's button. Nothing when not recording.
    bool stop();
    bool isRunning() const { return running_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void heard(int cgButton, bool fromMonitor);
    void followFilter();

    ConsoleTriggers& triggers_;
    ButtonMonitor& monitor_;
    Handler onButton_;
    bool running_ = false;
    bool reporting_ = false; // a press is heard and about to be reported
    bool filtering_ = false;
    // Presses the monitor already reported whose own events are still to come
    // over our windows, and releases of presses taken.
    std::vector<Qt::MouseButton> pressesToTake_;
    std::vector<Qt::MouseButton> releasesToTake_;
};

} // namespace vellaro
