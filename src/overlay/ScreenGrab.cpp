#include "overlay/ScreenGrab.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSysInfo>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace vellaro {

namespace {

xcb_connection_t* x11Connection() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

void freeReply(void* reply) {
    std::free(reply);
}

// Sets every pixel's alpha byte, which X leaves undefined for depth 24.
void makeOpaque(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] |= 0xff000000u;
    }
}

// `area` of the root in device pixels, or null.
QImage grabRoot(xcb_connection_t* c, const QRect& area) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const xcb_screen_t* root = xcb_setup_roots_iterator(setup).data;
    const bool lsbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    if (!root || lsbFirst != (QSysInfo::ByteOrder == QSysInfo::LittleEndian))
        return {};
    const QRect inside = area & QRect(0, 0, root->width_in_pixels, root->height_in_pixels);
    if (inside.isEmpty())
        return {};
    auto* reply = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root->root, std::int16_t(inside.x()),
                      std::int16_t(inside.y()), std::uint16_t(inside.width()),
                      std::uint16_t(inside.height()), ~0u),
        nullptr);
    if (!reply)
        return {};
    const qsizetype bytes = qsizetype(inside.width()) * inside.height() * 4;
    if ((reply->depth != 24 && reply->depth != 32) || xcb_get_image_data_length(reply) != bytes) {
        std::free(reply);
        return {};
    }
    // The reply's pixels are the image's; it frees the reply when done.
    QImage part(xcb_get_image_data(reply), inside.width(), inside.height(), inside.width() * 4,
                QImage::Format_ARGB32_Premultiplied, freeReply, reply);
    makeOpaque(part);
    if (inside == area)
        return part;
    QImage whole(area.size(), QImage::Format_ARGB32_Premultiplied);
    whole.fill(Qt::black);
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(whole.scanLine(y + inside.y() - area.y()) + (inside.x() - area.x()) * 4,
                    part.constScanLine(y), std::size_t(part.width()) * 4);
    return whole;
}

} // namespace

QImage grabScreenArea(QScreen* screen, const QRect& area) {
    if (!screen || area.isEmpty())
        return {};
    if (xcb_connection_t* c = x11Connection(); c && screen->devicePixelRatio() == 1.0) {
        QImage image = grabRoot(c, area);
        if (!image.isNull())
            return image;
    }
    const QRect local = area.translated(-screen->geometry().topLeft());
    const QPixmap grab = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height());
    return grab.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace vellaro
