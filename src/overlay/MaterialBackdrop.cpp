#include "overlay/MaterialBackdrop.h"

#include "overlay/BoxBlur.h"
#include "overlay/DialTiming.h"
#include "overlay/Logging.h"
#include "overlay/ScreenGrab.h"
#include "platform/windows/CompositingManager.h"

#include <QFutureWatcher>
#include <QPainter>
#include <QThreadPool>
#include <QWidget>
#include <QtConcurrent/QtConcurrentRun>

namespace vellaro {

namespace {

constexpr int blurRadius = 18;

// Every blur runs on one thread kept for the program's life: glibc gives each
// thread that allocates its own heap, and a picture-sized blur on whichever
// pool thread was free left about a megabyte behind in each of them.
QThreadPool& blurThread() {
    static QThreadPool* pool = [] {
        auto* threads = new QThreadPool;
        threads->setMaxThreadCount(1);
        threads->setExpiryTimeout(-1);
        return threads;
    }();
    return *pool;
}

} // namespace

bool MaterialBackdrop::compositingManagerPresent() {
    return vellaro::compositingManagerPresent();
}

MaterialBackdrop::Mode MaterialBackdrop::modeFor(bool previewMode, bool compositing) {
    if (previewMode)
        return Mode::none;
    return compositing ? Mode::translucentWindow : Mode::screenSnapshot;
}

MaterialBackdrop::MaterialBackdrop(Mode mode, Scheduler& scheduler)
    : mode_(mode), scheduler_(scheduler) {}

MaterialBackdrop::~MaterialBackdrop() = default;

void MaterialBackdrop::prepareWindow(QWidget& window) const {
    if (mode_ == Mode::translucentWindow)
        window.setAttribute(Qt::WA_TranslucentBackground);
}

void MaterialBackdrop::capture(QScreen* screen, const QRect& area) {
    if (mode_ != Mode::screenSnapshot || !screen)
        return;
    const QImage grab = grabScreenArea(screen, area);
    if (grab.isNull()) {
        qCWarning(lcRadial) << "Could not grab the screen under the dial";
        return;
    }
    setSnapshot(grab, Blur::onWorker);
}

void MaterialBackdrop::setSnapshot(const QImage& snapshot, Blur blur) {
    forgetBlur();
    snapshot_ = snapshot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (blur == Blur::now)
        blurred_ = boxBlurred(snapshot_, blurRadius);
    else
        blurred_ = QImage();
    blurPending_ = blur == Blur::onWorker;
}

void MaterialBackdrop::forgetBlur() {
    if (worker_) {
        worker_->disconnect();
        worker_.release()->deleteLater();
    }
    blurPending_ = false;
    blurArrived_.reset();
    composed_ = QImage();
    composedShapes_ = QPainterPath();
}

void MaterialBackdrop::startBlur() {
    if (!blurPending_)
        return;
    blurPending_ = false;
    // A new watcher per blur: a result of an earlier one can no longer arrive.
    worker_ = std::make_unique<QFutureWatcher<QImage>>();
    QFutureWatcher<QImage>* watcher = worker_.get();
    QObject::connect(watcher, &QFutureWatcher<QImage>::finished, watcher, [this, watcher] {
        blurred_ = watcher->result();
        blurArrived_ = scheduler_.now();
        worker_.release()->deleteLater();
        if (onBlurred)
            onBlurred();
    });
    watcher->setFuture(QtConcurrent::run(&blurThread(), boxBlurred, snapshot_, blurRadius));
}

void MaterialBackdrop::release() {
    forgetBlur();
    snapshot_ = QImage();
    blurred_ = QImage();
}

std::size_t MaterialBackdrop::byteCount() const {
    return std::size_t(snapshot_.sizeInBytes() + blurred_.sizeInBytes() + composed_.sizeInBytes());
}

double MaterialBackdrop::blurOpacity() const {
    if (!blurArrived_)
        return 1.0;
    const double fraction = std::chrono::duration<double>(scheduler_.now() - *blurArrived_) /
                            std::chrono::duration<double>(fadeDuration);
    return fraction >= 1.0 ? 1.0 : DialTiming::easeOut().valueAt(fraction);
}

bool MaterialBackdrop::fadingIn() const {
    return hasBlur() && blurOpacity() < 1.0;
}

void MaterialBackdrop::paint(QPainter& painter, const QSize& size, const QPainterPath& shapes,
                             bool blur) {
    if (!paints())
        return;
    const QRectF target(QPointF(0, 0), QSizeF(size));
    if (!blur || !hasBlur()) {
        painter.drawImage(target, snapshot_);
        return;
    }
    const double opacity = blurOpacity();
    if (opacity < 1.0) {
        paintLayers(painter, target, shapes, opacity);
        return;
    }
    painter.drawImage(target, composed(painter, size, shapes));
}

void MaterialBackdrop::paintLayers(QPainter& painter, const QRectF& target,
                                   const QPainterPath& shapes, double blurOpacity) const {
    painter.drawImage(target, snapshot_);
    painter.save();
    painter.setClipPath(shapes);
    painter.setOpacity(painter.opacity() * blurOpacity);
    painter.drawImage(target, blurred_);
    painter.restore();
}

const QImage& MaterialBackdrop::composed(const QPainter& painter, const QSize& size,
                                         const QPainterPath& shapes) {
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize pixels = (QSizeF(size) * ratio).toSize();
    if (composed_.size() == pixels && composed_.devicePixelRatio() == ratio &&
        composedShapes_ == shapes)
        return composed_;
    composed_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    composed_.setDevicePixelRatio(ratio);
    composed_.fill(Qt::transparent);
    QPainter into(&composed_);
    into.setRenderHints(painter.renderHints());
    paintLayers(into, QRectF(QPointF(0, 0), QSizeF(size)), shapes, 1.0);
    composedShapes_ = shapes;
    return composed_;
}

} // namespace vellaro
