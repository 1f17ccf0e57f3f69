#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRect>

class QPainter;
class QScreen;
class QWidget;

namespace vellaro {

// What stands behind the dial's surfaces. With a compositing manager the
// panel is a translucent window and the desktop shows through. Without one a
// window cannot be see-through, so the screen under the panel is grabbed once
// when it shows: drawn as is around the dial and blurred under its shapes.
// The console's preview dial draws its surfaces over the console, unblurred.
class MaterialBackdrop {
public:
    enum class Mode { translucentWindow, screenSnapshot, none };

    // True when an X compositing manager owns _NET_WM_CM_S<screen>.
    static bool compositingManagerPresent();
    static Mode modeFor(bool previewMode, bool compositing);

    explicit MaterialBackdrop(Mode mode);

    Mode mode() const { return mode_; }
    // Asks the dial's top-level window for an alpha channel when it will be
    // translucent; call before the window is first shown.
    void prepareWindow(QWidget& window) const;

    // Grabs `area` (device-independent screen coordinates) of `screen` and
    // blurs it; only in screenSnapshot mode.
    void capture(QScreen* screen, const QRect& area);
    // Uses `snapshot` as the grabbed screen (tools and tests).
    void setSnapshot(const QImage& snapshot);
    bool hasSnapshot() const { return !snapshot_.isNull(); }
    // Whether paint() draws anything at all.
    bool paints() const { return mode_ == Mode::screenSnapshot && hasSnapshot(); }

    // Paints the backdrop into a widget of `size`: the snapshot everywhere,
    // its blurred copy inside `shapes` when `blur`.
    void paint(QPainter& painter, const QSize& size, const QPainterPath& shapes, bool blur) const;

private:
    Mode mode_;
    QImage snapshot_;
    QImage blurred_;
};

} // namespace vellaro
