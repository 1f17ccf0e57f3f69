#pragma once

namespace vellaro {

// A person's answer to an update on offer or ready to install.
enum class UpdateChoice { skip = 0, install = 1, dismiss = 2 };

} // namespace vellaro
