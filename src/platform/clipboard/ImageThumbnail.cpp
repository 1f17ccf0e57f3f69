#include "platform/clipboard/ImageThumbnail.h"

#include <QBuffer>
#include <QImageReader>

namespace vellaro {

QImage imageThumbnail(const QByteArray& encoded, int maximumSide) {
    QBuffer buffer;
    buffer.setData(encoded);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > maximumSide || size.height() > maximumSide))
        reader.setScaledSize(size.scaled(maximumSide, maximumSide, Qt::KeepAspectRatio));
    return reader.read();
}

} // namespace vellaro
