#include "overlay/MaterialBackdrop.h"

#include "overlay/BoxBlur.h"
#include "overlay/Logging.h"
#include "platform/windows/CompositingManager.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QWidget>

#include <cstdlib>
#include <memory>

namespace vellaro {

namespace {

constexpr int blurRadius = 18;

} // namespace

bool MaterialBackdrop::compositingManagerPresent() {
    return vellaro::compositingManagerPresent();
}

MaterialBackdrop::Mode MaterialBackdrop::modeFor(bool previewMode, bool compositing) {
    if (previewMode)
        return Mode::none;
    return compositing ? Mode::translucentWindow : Mode::screenSnapshot;
}

MaterialBackdrop::MaterialBackdrop(Mode mode) : mode_(mode) {}

void MaterialBackdrop::prepareWindow(QWidget& window) const {
    if (mode_ == Mode::translucentWindow)
        window.setAttribute(Qt::WA_TranslucentBackground);
}

void MaterialBackdrop::capture(QScreen* screen, const QRect& area) {
    if (mode_ != Mode::screenSnapshot || !screen)
        return;
    const QRect local = area.translated(-screen->geometry().topLeft());
    const QPixmap grab = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height());
    if (grab.isNull()) {
        qCWarning(lcRadial) << "Could not grab the screen under the dial";
        return;
    }
    setSnapshot(grab.toImage());
}

void MaterialBackdrop::setSnapshot(const QImage& snapshot) {
    snapshot_ = snapshot.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    blurred_ = boxBlurred(snapshot_, blurRadius);
}

void MaterialBackdrop::paint(QPainter& painter, const QSize& size, const QPainterPath& shapes,
                             bool blur) const {
    if (!paints())
        return;
    const QRectF target(QPointF(0, 0), QSizeF(size));
    painter.drawImage(target, snapshot_);
    if (!blur)
        return;
    painter.save();
    painter.setClipPath(shapes);
    painter.drawImage(target, blurred_);
    painter.restore();
}

} // namespace vellaro
