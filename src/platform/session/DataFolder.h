#pragma once

#include <QString>

namespace vellaro {

// The program's per-user data folder, $XDG_DATA_HOME/Vellaro (by default
// ~/.local/share/Vellaro). Empty when there is no usable home: stores then
// keep their data in memory and save nothing, rather than writing to a
// folder relative to wherever the program was started.
QString dataFolder();

} // namespace vellaro
