#pragma once

#include "ui/SingleWindow.h"

#include <QString>
#include <functional>

namespace vellaro {

class CaptureNameView;

// Asks for a new workspace's name before the capture. The default name
// counts the saved workspaces ("Workspace 4" with three saved). Capture and
// Cancel drop the window, so the next prompt is new and counted afresh; a
// prompt closed from its title bar comes back as it was left. Main thread
// only.
class CaptureNamePrompt {
public:
    using SavedCount = std::function<qsizetype()>;
    // Receives the name trimmed of spaces and tabs.
    using Capture = std::function<void(const QString& name)>;

    CaptureNamePrompt(SavedCount savedCount, Capture capture);
    ~CaptureNamePrompt();

    // Brings the prompt forward, building it when there is none.
    void show();

    // The prompt's window, open or closed; null when there is none.
    CaptureNameView* window() const { return window_.get(); }

private:
    SavedCount savedCount_;
    Capture capture_;
    SingleWindow<CaptureNameView> window_;
};

} // namespace vellaro
