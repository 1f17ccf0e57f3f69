#pragma once

#include "platform/time/Scheduler.h"

#include <QImage>
#include <QPainterPath>
#include <QRect>
#include <functional>
#include <memory>
#include <optional>

class QPainter;
class QScreen;
class QWidget;
template <typename T>
class QFutureWatcher;

namespace vellaro {

// What stands behind the dial's surfaces. With a compositing manager the
// panel is a translucent window and the desktop shows through. Without one a
// window cannot be see-through, so the screen under the panel is grabbed
// when it shows: drawn as is around the dial and blurred under its shapes.
// The console's preview dial draws its surfaces over the console, unblurred.
//
// The blur is made on a worker thread once the dial's first frame is out,
// so that frame waits only for the grab; the blurred copy fades in over the
// sharp one when it is ready, while the opening bloom still covers little
// of it.
class MaterialBackdrop {
public:
    enum class Mode { translucentWindow, screenSnapshot, none };
    enum class Blur { now, onWorker };

    // True when an X compositing manager owns _NET_WM_CM_S<screen>.
    static bool compositingManagerPresent();
    static Mode modeFor(bool previewMode, bool compositing);

    MaterialBackdrop(Mode mode, Scheduler& scheduler);
    ~MaterialBackdrop();

    Mode mode() const { return mode_; }
    // Asks the dial's top-level window for an alpha channel when it will be
    // translucent; call before the window is first shown.
    void prepareWindow(QWidget& window) const;

    // Grabs `area` (device-independent screen coordinates) of `screen`; its
    // blur waits for startBlur(). Only in screenSnapshot mode.
    void capture(QScreen* screen, const QRect& area);
    // Uses `snapshot` as the grabbed screen, blurred at once (tools) or on a
    // worker from startBlur() on, as capture() does.
    void setSnapshot(const QImage& snapshot, Blur blur = Blur::now);
    // Whether a blur waits for startBlur().
    bool blurPending() const { return blurPending_; }
    // Starts the pending blur on a worker thread.
    void startBlur();
    // Called on the main thread when a blur made on a worker is ready.
    std::function<void()> onBlurred;

    bool hasSnapshot() const { return !snapshot_.isNull(); }
    bool hasBlur() const { return !blurred_.isNull(); }
    // Whether paint() draws anything at all.
    bool paints() const { return mode_ == Mode::screenSnapshot && hasSnapshot(); }
    // Whether the blurred copy is still fading in: frames must follow.
    bool fadingIn() const;

    // Paints the backdrop into a widget of `size`: the snapshot everywhere,
    // its blurred copy inside `shapes` when `blur` and it is ready. Once the
    // blur is in, the two are put together once per set of shapes, and a
    // frame copies the result.
    void paint(QPainter& painter, const QSize& size, const QPainterPath& shapes, bool blur);

    // Forgets the pictures once the dial has hidden: the next show grabs
    // the screen again. A blur still running is dropped.
    void release();
    std::size_t byteCount() const;

    // How long the blurred copy takes to fade in.
    static constexpr std::chrono::milliseconds fadeDuration{150};

private:
    double blurOpacity() const;
    // Drops a blur still to come and the composed picture.
    void forgetBlur();
    void paintLayers(QPainter& painter, const QRectF& target, const QPainterPath& shapes,
                     double blurOpacity) const;
    const QImage& composed(const QPainter& painter, const QSize& size, const QPainterPath& shapes);

    Mode mode_;
    Scheduler& scheduler_;
    QImage snapshot_;
    QImage blurred_;
    // The snapshot with the blurred copy inside `composedShapes_`, at the
    // painter's pixel ratio.
    QImage composed_;
    QPainterPath composedShapes_;
    // When the blurred copy arrived from a worker; none: shown in full.
    std::optional<Scheduler::TimePoint> blurArrived_;
    std::unique_ptr<QFutureWatcher<QImage>> worker_;
    bool blurPending_ = false;
};

} // namespace vellaro
