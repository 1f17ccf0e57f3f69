#pragma once

#include <cstdint>
#include <vector>

namespace vellaro {

// Takes the element at `from` out of the list and puts it back at `to`,
// shifting the ones between; false, and the list unchanged, when either
// position is outside the list.
template <class T>
bool moveElement(std::vector<T>& list, std::int64_t from, std::int64_t to) {
    const auto count = std::int64_t(list.size());
    if (from < 0 || from >= count || to < 0 || to >= count)
        return false;
    T moving = std::move(list[std::size_t(from)]);
    list.erase(list.begin() + from);
    list.insert(list.begin() + to, std::move(moving));
    return true;
}

} // namespace vellaro
