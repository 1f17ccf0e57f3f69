#pragma once

#include "workspaces/WorkspacesConfiguration.h"

#include <QString>

namespace vellaro {

// The only reader and writer of workspaces.json. Holds no workspaces itself:
// the workspaces section owns the loaded configuration and saves it whole
// after every change. A file that was there but could not be used is moved
// aside before the first save replaces it.
class WorkspacesStore {
public:
    // `folder` holds workspaces.json and is created when missing; empty
    // means there is nowhere to save (every save then logs its failure).
    explicit WorkspacesStore(const QString& folder);

    QString filePath() const { return filePath_; }

    // Never fails and never writes: a missing file gives the empty
    // configuration silently; an unusable or too new one gives it with a log
    // line.
    WorkspacesConfiguration load();
    // Failures are logged, not returned; the caller's data is untouched.
    void save(const WorkspacesConfiguration& configuration);

private:
    QString filePath_;
    bool keepFileOnDisk_ = false; // the file on disk was rejected at loading
};

} // namespace vellaro
