#pragma once

#include <QStringList>

namespace vellaro {

// A hot key's display text as key caps: each leading modifier glyph (⌃ ⌥ ⇧ ⌘)
// standing alone as a character is a cap of its own, the rest one last cap.
// Split by user-perceived characters, so a glyph carrying a combining mark is
// not mistaken for a modifier.
QStringList keyCapPieces(const QString& display);

} // namespace vellaro
