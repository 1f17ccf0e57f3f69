#pragma once

namespace vellaro {

// What the console's clipboard pane asks of the clipboard section.
class ClipboardPaneSource {
public:
    virtual ~ClipboardPaneSource() = default;

    // Forgets every entry, cancels a pending save, deletes the sealed
    // history (a failure is ignored) and announces the change.
    virtual void clearHistory() = 0;
};

} // namespace vellaro
