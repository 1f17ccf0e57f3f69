#pragma once

namespace vellaro {

// The harness's exit statuses. A report that fails its bar still ends with
// `done`: the verdict is in the text.
struct SpikeStatus {
    static constexpr int done = 0;
    static constexpr int fileError = 1;
    static constexpr int noWindowAccess = 2;
};

} // namespace vellaro
