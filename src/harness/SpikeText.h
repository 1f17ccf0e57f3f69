#pragma once

#include <QString>

namespace vellaro {

// `text` safe to print on one terminal line: control characters (C0, DEL,
// C1, the line and paragraph separators) as JSON-style escapes ("\n",
// "\u001b"); everything else unchanged. Window titles come from any client.
QString escapedControlCharacters(const QString& text);

} // namespace vellaro
