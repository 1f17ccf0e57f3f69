#pragma once

#include "workspaces/WorkspacesConfiguration.h"

#include <QJsonObject>
#include <QString>
#include <optional>

namespace vellaro {

// The JSON form of workspaces.json. Decoding is all or nothing: a missing
// required key, a wrong type or an unreadable UUID, date or URL anywhere
// rejects the whole file, with `error` saying where.
class WorkspacesCoding {
public:
    WorkspacesCoding() = delete;

    static QJsonObject encode(const WorkspacesConfiguration& configuration);
    static std::optional<WorkspacesConfiguration> decode(const QJsonObject& root,
                                                         QString* error = nullptr);
};

} // namespace vellaro
