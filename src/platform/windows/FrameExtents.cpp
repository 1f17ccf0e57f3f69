#include "platform/windows/FrameExtents.h"

#include <algorithm>

namespace vellaro {

QRect FrameExtents::around(const QRect& client) const {
    return client.adjusted(-left, -top, right, bottom);
}

QSize FrameExtents::clientSizeIn(const QSize& frame) const {
    return {std::max(1, frame.width() - left - right), std::max(1, frame.height() - top - bottom)};
}

} // namespace vellaro
