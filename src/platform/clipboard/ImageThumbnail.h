#pragma once

#include <QByteArray>
#include <QImage>

namespace vellaro {

// Encoded image bytes decoded to at most `maximumSide` pixels a side (aspect
// kept); null when they do not decode. Safe on any thread.
QImage imageThumbnail(const QByteArray& encoded, int maximumSide = 512);

} // namespace vellaro
