#pragma once

#include <QPainterPath>
#include <cstddef>

namespace vellaro {

// Folds `value` into `seed` (boost's hash_combine).
void hashCombine(std::size_t& seed, std::size_t value);

// A hash of the path's elements and fill rule, folded into `seed`.
std::size_t hashPath(const QPainterPath& path, std::size_t seed = 0);

} // namespace vellaro
