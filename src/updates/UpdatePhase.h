#pragma once

namespace vellaro {

// Which screen of the update window applies.
enum class UpdatePhase {
    checking,
    found,
    downloading,
    extracting,
    readyToInstall,
    installing,
    upToDate,
    error
};

} // namespace vellaro
