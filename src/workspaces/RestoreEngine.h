#pragma once

#include "workspaces/RestoreServices.h"
#include "workspaces/Workspace.h"

#include <memory>

namespace vellaro {

class RestoreRun;

// Puts saved workspaces back on screen, one restore at a time: a new restore
// cancels the one still running, which then launches, moves and reports
// nothing more. Main thread only.
class RestoreEngine {
public:
    explicit RestoreEngine(RestoreServices services);
    ~RestoreEngine();
    RestoreEngine(const RestoreEngine&) = delete;
    RestoreEngine& operator=(const RestoreEngine&) = delete;

    // Over the desktop's window access, applications and report panel.
    static RestoreEngine& shared();

    // Returns at once; the restore goes on from the event loop.
    void restore(const Workspace& workspace);

private:
    RestoreServices services_;
    std::shared_ptr<RestoreRun> current_;
};

} // namespace vellaro
