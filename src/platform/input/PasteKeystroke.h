#pragma once

#include <QStringList>

namespace vellaro {

// The keystroke that pastes into a window. Terminals read Ctrl+V as a key of
// their own (the literal-next key of the shell), so they paste with
// Ctrl+Shift+V; xterm's default keys paste only the primary selection, with
// Shift+Insert.
enum class PasteKeystroke { controlV, controlShiftV, shiftInsertPrimary };

// By the window's WM_CLASS (instance and class, either matching,
// letter case aside); Ctrl+V for every window not known as a terminal.
PasteKeystroke pasteKeystrokeFor(const QStringList& windowClass);

} // namespace vellaro
