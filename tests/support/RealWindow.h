#pragma once

#include "support/XcbTestClient.h"

#include <QImage>
#include <QPointF>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

#include <optional>
#include <vector>

namespace vellaro::test {

// A window of this process driven as a person would under the session's
// window manager: mapped for real, clicked and typed at with XTest at points
// of its widgets' live geometry, and looked at through the pixels the X
// server shows for it (what is on screen, so a window that maps black or
// stays covered is seen as such). Screenshots go to the build folder.
class RealWindow {
public:
    explicit RealWindow(QWidget& window);

    QWidget& widget() const { return *window_; }

    // Shows the window unless shown, asks for it to be active, and waits
    // until the window manager has mapped it and its pixels on screen are
    // painted (not black). False when either never came.
    bool map(int boundMs = 15000);
    // Waits until the window's pixels on screen are its own: not black, and
    // all but a sliver what Qt renders for it now (not stale, nor what was
    // there before).
    bool waitPainted(int boundMs = 15000);
    // The same, and `part` (a widget inside the window) on its own is what
    // Qt renders for it: a small change there (a status line, a label) is
    // on screen too.
    bool waitPainted(const QWidget& part, int boundMs = 15000);
    // What Qt renders for the window now, in the screen's format.
    QImage rendered() const;

    // The real pointer over `at` of `target` (its centre by default), in
    // `target`'s own coordinates.
    void moveTo(const QWidget& target, std::optional<QPointF> at = std::nullopt);
    void press(int button = 1);
    void release(int button = 1);
    void click(const QWidget& target, std::optional<QPointF> at = std::nullopt, int button = 1);
    // Press at `from`, moves through `path`, release at its end; all in
    // `target`'s coordinates.
    void drag(const QWidget& target, QPointF from, const std::vector<QPointF>& path);
    // Text typed on the keyboard, and key combinations as xdotool names them
    // ("Return", "ctrl+z", "BackSpace").
    void type(const QString& text);
    void key(const QString& combination);

    // Lets the events the server sent reach the widgets.
    void settle();

    // The window's pixels as the screen shows them, or the part covered by
    // `part` (a widget inside the window). Null when the window is not viewable.
    QImage pixels() const;
    QImage pixels(const QWidget& part) const;
    // The share of pixels of two pictures of one size that look alike (0...1).
    static double sameShare(const QImage& shown, const QImage& rendered);
    // The share of pixels that are pure black (0...1).
    static double blackShare(const QImage& image);
    // Whether something is drawn over the image's dominant colour: text,
    // a symbol, a border (more than `minimum` pixels differ from it clearly).
    static bool hasInk(const QImage& image, int minimum = 12);

    // Saves pixels() under the build folder as NAME.png; returns the path.
    QString screenshot(const QString& name) const;

    // The X window of any top-level widget, and its rectangle on screen
    // (the client area, in device pixels); nullopt while not viewable.
    static std::optional<QRect> shownRect(const QWidget& window);

private:
    QImage grab(QRect onScreen) const;
    // Whether the screen shows the window (and `part`, unless null) as now.
    bool isCurrent(const QWidget* part) const;

    QPointer<QWidget> window_;
    mutable XcbTestClient client_;
};

} // namespace vellaro::test
