#pragma once

namespace vellaro {

// How far an offered update already is.
enum class UpdateStage { notDownloaded, downloaded, installing };

} // namespace vellaro
