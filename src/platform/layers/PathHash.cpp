#include "platform/layers/PathHash.h"

#include <functional>

namespace vellaro {

void hashCombine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
}

std::size_t hashPath(const QPainterPath& path, std::size_t seed) {
    hashCombine(seed, static_cast<std::size_t>(path.fillRule()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        hashCombine(seed, std::hash<double>{}(e.x));
        hashCombine(seed, std::hash<double>{}(e.y));
        hashCombine(seed, static_cast<std::size_t>(e.type));
    }
    return seed;
}

} // namespace vellaro
