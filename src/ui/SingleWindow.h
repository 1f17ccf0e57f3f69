#pragma once

#include <QPointer>
#include <QWidget>

namespace vellaro {

// The one window of a kind that a controller keeps: made on demand, brought
// forward by later requests, and dropped when done. Dropping is safe from
// inside the window's own button handler; the holder's end deletes it.
template <class Window>
class SingleWindow {
public:
    SingleWindow() = default;
    SingleWindow(const SingleWindow&) = delete;
    SingleWindow& operator=(const SingleWindow&) = delete;
    ~SingleWindow() { delete window_.data(); }

    Window* get() const { return window_; }
    explicit operator bool() const { return !window_.isNull(); }
    Window* operator->() const { return window_; }

    // Takes a newly made window.
    void set(Window* window) { window_ = window; }

    // Shows the window, raises it and gives it the keyboard.
    void present() const {
        window_->show();
        window_->raise();
        window_->activateWindow();
    }

    void drop() {
        if (!window_)
            return;
        window_->hide();
        // The click that asked may still be running inside the window.
        window_->deleteLater();
        window_ = nullptr;
    }

private:
    QPointer<Window> window_;
};

} // namespace vellaro
