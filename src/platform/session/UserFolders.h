#pragma once

#include <QString>

namespace vellaro {

// The program's per-user folders, each "Vellaro" inside its XDG base folder.
// Empty when there is no usable home: callers then keep their data in memory
// and save nothing, rather than writing relative to wherever they started.

// $XDG_DATA_HOME/Vellaro, by default ~/.local/share/Vellaro.
QString dataFolder();
// $XDG_CONFIG_HOME/Vellaro, by default ~/.config/Vellaro.
QString configFolder();
// $XDG_CACHE_HOME/Vellaro, by default ~/.cache/Vellaro.
QString cacheFolder();

} // namespace vellaro
