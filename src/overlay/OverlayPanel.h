#pragma once

#include "platform/time/Scheduler.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QWidget>

namespace vellaro {

Q_DECLARE_LOGGING_CATEGORY(overlayLog)

// The dial's floating window: borderless, transparent, override-redirect and
// never focused, so the window the user was in keeps the input focus (a paste
// lands there). While shown it holds the pointer and keyboard grabs and
// routes every mouse and key event to its content, wherever the pointer is:
// a press outside the dial reaches the dial as an outside press instead of
// closing the window as a Qt popup would.
class OverlayPanel : public QWidget {
    Q_OBJECT
public:
    explicit OverlayPanel(Scheduler& scheduler, QWidget* parent = nullptr);
    ~OverlayPanel() override;

    // The panel's one child, filling it; the panel takes ownership and
    // deletes the content it replaces.
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

    // Maps the panel with its top-left corner at `topLeft` and takes both
    // grabs. A grab refused while another client holds one is retried for a
    // short while; when it still fails the panel hides and emits grabFailed().
    void present(QPoint topLeft);
    void dismiss();

    bool isPresented() const { return isVisible(); }
    bool holdsGrab() const { return grabbed_; }

    // How long a refused grab is retried, and how often.
    static constexpr std::chrono::milliseconds grabRetryInterval{10};
    static constexpr std::chrono::milliseconds grabRetryWindow{300};

Q_SIGNALS:
    void grabFailed();
    // The pointer and keyboard grabs hold now.
    void grabTaken();
    // Another window of this program took the input while the dial was up.
    void focusLost();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool tryGrab();
    void takeQtGrabs();
    void releaseGrab();
    void scheduleGrabAttempt();
    void cancelGrabAttempt();
    void onFocusWindowChanged(QWindow* window);

    Scheduler& scheduler_;
    QPointer<QWidget> content_;
    bool grabbed_ = false;
    Scheduler::TaskId retryTask_ = 0;
    Scheduler::TimePoint grabDeadline_{};
};

} // namespace vellaro
