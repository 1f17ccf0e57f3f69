#include "support/RealWindow.h"

#include "support/RunProgram.h"
#include "support/WaitUntil.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QThread>

#include <cstdlib>
#include <memory>

namespace vellaro::test {

namespace {

template <typename T>
std::unique_ptr<T, decltype(&std::free)> reply(T* value) {
    return {value, &std::free};
}

// A screen still showing an earlier state of the window matches most of
// its rendering (the background, the header), so only a near-exact match
// counts as current; the rest is for what moves on its own (a spinner,
// the text cursor).
constexpr double currentShare = 0.98;

// An exact black: what an unpainted window shows; no palette of ours uses it.
bool isBlack(QRgb pixel) {
    return (pixel & 0xFFFFFF) == 0;
}

} // namespace

RealWindow::RealWindow(QWidget& window) : window_(window.window()) {}

std::optional<QRect> RealWindow::shownRect(const QWidget& window) {
    if (!window.isVisible() || !window.internalWinId())
        return std::nullopt;
    static XcbTestClient client;
    xcb_connection_t* c = client.connection();
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    auto attributes =
        reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return std::nullopt;
    auto geometry = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    auto origin = reply(xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, id, client.root(), 0, 0), nullptr));
    if (!geometry || !origin)
        return std::nullopt;
    return QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
}

bool RealWindow::map(int boundMs) {
    if (!window_)
        return false;
    if (!window_->isVisible())
        window_->show();
    window_->raise();
    window_->activateWindow();
    if (!waitUntil([&] { return window_ && shownRect(*window_); }, boundMs))
        return false;
    // The window manager may keep the focus where it is (focus stealing
    // prevention); a click into the window gives it.
    waitUntil([&] { return window_ && window_->isActiveWindow(); }, 2000);
    return waitPainted(boundMs);
}

bool RealWindow::waitPainted(int boundMs) {
    return waitUntil([&] { return isCurrent(nullptr); }, boundMs);
}

bool RealWindow::waitPainted(const QWidget& part, int boundMs) {
    return waitUntil([&] { return isCurrent(&part); }, boundMs);
}

bool RealWindow::isCurrent(const QWidget* part) const {
    const QImage shown = pixels();
    if (shown.isNull() || blackShare(shown) >= 0.2)
        return false;
    const QImage now = rendered();
    if (sameShare(shown, now) < currentShare)
        return false;
    if (!part || !window_)
        return true;
    const QRect area(part->mapTo(window_, QPoint()), part->size());
    return sameShare(shown.copy(area), now.copy(area)) >= currentShare;
}

QImage RealWindow::rendered() const {
    return window_ ? window_->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

double RealWindow::sameShare(const QImage& shown, const QImage& rendered) {
    if (shown.isNull() || shown.size() != rendered.size())
        return 0;
    qint64 same = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto* a = reinterpret_cast<const QRgb*>(shown.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(rendered.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            const int distance = std::abs(qRed(a[x]) - qRed(b[x])) +
                                 std::abs(qGreen(a[x]) - qGreen(b[x])) +
                                 std::abs(qBlue(a[x]) - qBlue(b[x]));
            same += distance <= 24;
        }
    }
    return double(same) / (qint64(shown.width()) * shown.height());
}

void RealWindow::settle() {
    client_.sync();
    // The events are on their way to Qt's connection: let its reader hand them over.
    const QDeadlineTimer deadline(40);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(1);
    }
}

void RealWindow::moveTo(const QWidget& target, std::optional<QPointF> at) {
    const QPointF local = at.value_or(QRectF(target.rect()).center());
    const std::optional<QRect> shown = shownRect(*target.window());
    // The server's idea of where the window is; Qt's may lag a move.
    const QPoint origin = shown ? shown->topLeft() : target.window()->mapToGlobal(QPoint());
    const QPoint point = origin + target.mapTo(target.window(), local.toPoint());
    client_.movePointer(point.x(), point.y());
    settle();
}

void RealWindow::press(int button) {
    client_.button(button, true);
    settle();
}

void RealWindow::release(int button) {
    client_.button(button, false);
    settle();
}

void RealWindow::click(const QWidget& target, std::optional<QPointF> at, int button) {
    moveTo(target, at);
    press(button);
    release(button);
}

void RealWindow::drag(const QWidget& target, QPointF from, const std::vector<QPointF>& path) {
    moveTo(target, from);
    press();
    for (const QPointF& point : path)
        moveTo(target, point);
    release();
}

void RealWindow::type(const QString& text) {
    runProgram(QStringLiteral("xdotool"), {"type", "--delay", "20", "--", text});
    settle();
}

void RealWindow::key(const QString& combination) {
    runProgram(QStringLiteral("xdotool"), {"key", "--", combination});
    settle();
}

QImage RealWindow::grab(QRect onScreen) const {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(client_.connection())).data;
    onScreen &= QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    if (onScreen.isEmpty())
        return {};
    xcb_connection_t* c = client_.connection();
    auto image =
        reply(xcb_get_image_reply(c,
                                  xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, client_.root(),
                                                static_cast<std::int16_t>(onScreen.x()),
                                                static_cast<std::int16_t>(onScreen.y()),
                                                static_cast<std::uint16_t>(onScreen.width()),
                                                static_cast<std::uint16_t>(onScreen.height()), ~0u),
                                  nullptr));
    if (!image || image->depth < 24)
        return {};
    const int length = xcb_get_image_data_length(image.get());
    const int stride = length / onScreen.height();
    if (stride < onScreen.width() * 4)
        return {};
    return QImage(xcb_get_image_data(image.get()), onScreen.width(), onScreen.height(), stride,
                  QImage::Format_RGB32)
        .copy();
}

QImage RealWindow::pixels() const {
    const std::optional<QRect> shown = window_ ? shownRect(*window_) : std::nullopt;
    return shown ? grab(*shown) : QImage();
}

QImage RealWindow::pixels(const QWidget& part) const {
    const std::optional<QRect> shown = shownRect(*part.window());
    if (!shown)
        return {};
    const QPoint offset = part.mapTo(part.window(), QPoint());
    return grab(QRect(shown->topLeft() + offset, part.size()));
}

double RealWindow::blackShare(const QImage& image) {
    if (image.isNull())
        return 1;
    qint64 black = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            black += isBlack(line[x]);
    }
    return double(black) / (qint64(image.width()) * image.height());
}

bool RealWindow::hasInk(const QImage& image, int minimum) {
    if (image.isNull())
        return false;
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb dominant = 0;
    int most = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            dominant = it.key();
        }
    }
    const auto distance = [dominant](QRgb pixel) {
        return std::abs(qRed(pixel) - qRed(dominant)) + std::abs(qGreen(pixel) - qGreen(dominant)) +
               std::abs(qBlue(pixel) - qBlue(dominant));
    };
    int inked = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (distance(it.key()) > 60)
            inked += it.value();
    return inked > minimum;
}

QString RealWindow::screenshot(const QString& name) const {
    const QString folder = QStringLiteral(VELLARO_BUILD_DIR "/real-windows");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + name + QStringLiteral(".png");
    pixels().save(path);
    return path;
}

} // namespace vellaro::test
