#pragma once

#include <QImage>

namespace vellaro {

// A soft blur for the backdrop: the image shrunk by four, three box passes of
// `radius`/4 each way, and scaled back up. Cheap enough to run once per show.
QImage boxBlurred(const QImage& image, int radius);

} // namespace vellaro
