#pragma once

#include <QString>
#include <QUuid>
#include <cstdint>
#include <vector>

namespace vellaro {

// What the console's workspaces pane asks of the workspaces section.
// Main thread.
class WorkspacesPaneSource {
public:
    struct Summary {
        QUuid id;
        QString name;
        std::int64_t windowCount = 0; // over all its apps
    };

    virtual ~WorkspacesPaneSource() = default;

    // The saved workspaces in stored order.
    virtual std::vector<Summary> workspaceSummaries() const = 0;
    // Trims the name; a blank name or an unknown ID changes nothing.
    // Otherwise saves and announces the change.
    virtual void rename(const QUuid& id, const QString& name) = 0;
    // Hands a copy of the workspace to the restore engine; nothing for an
    // unknown ID.
    virtual void restore(const QUuid& id) = 0;
    // Removes every workspace with the ID, saves and announces the change.
    virtual void deleteWorkspace(const QUuid& id) = 0;
};

} // namespace vellaro
