#pragma once

#include <QObject>
#include <Qt>

#include <functional>
#include <optional>
#include <vector>

namespace vellaro {

class ButtonMonitor;
class ConsoleTriggers;

// Records the next extra mouse button pressed anywhere: the running mouse
// trigger stands aside meanwhile, a session-wide monitor hears presses over
// other programs, and clicks over our own windows are taken before any
// widget sees them (a middle press must not paste into a field). Main thread.
class MouseButtonCapture : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int cgButton)>;

    MouseButtonCapture(ConsoleTriggers& triggers, ButtonMonitor& monitor,
                       QObject* parent = nullptr);
    ~MouseButtonCapture() override;

    // Replaces a running recording. `onButton` hears the first press from
    // the event loop; over our windows, once its release went by, so the
    // returning trigger sees no part of that click.
    void start(Handler onButton);
    // Ends the recording and brings the trigger back; true when another
    // program holds the trigger's button. Nothing when not recording.
    bool stop();
    bool isRunning() const { return running_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void heardElsewhere(int cgButton);
    void report(int cgButton);
    void followFilter();

    ConsoleTriggers& triggers_;
    ButtonMonitor& monitor_;
    Handler onButton_;
    bool running_ = false;
    bool reporting_ = false; // a press is heard and about to be reported
    bool filtering_ = false;
    // The press over our windows that is recorded at its release.
    std::optional<Qt::MouseButton> recordedPress_;
    // Releases of the presses taken over our windows.
    std::vector<Qt::MouseButton> releasesToTake_;
};

} // namespace vellaro
