#pragma once

#include <cstdint>
#include <optional>

namespace vellaro {

// Where a section dragged in from the console's library would land: in place
// of the section at `swap`, or in the empty slot inserted at `ghost` (a
// section index: the new section would take that index). At most one is set;
// neither means the drop would change nothing.
struct LibraryDropTarget {
    std::optional<std::int64_t> swap;
    std::optional<std::int64_t> ghost;

    friend bool operator==(const LibraryDropTarget&, const LibraryDropTarget&) = default;
};

} // namespace vellaro
