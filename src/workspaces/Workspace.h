#pragma once

#include "workspaces/AppRecord.h"

#include <QDateTime>
#include <QString>
#include <QUuid>
#include <cstdint>
#include <vector>

namespace vellaro {

// A saved arrangement of programs and their windows.
struct Workspace {
    QUuid id;
    QString name;
    QDateTime createdAt; // of the first capture; an update keeps it
    QString displaySignature;
    std::vector<AppRecord> apps;

    std::int64_t windowCount() const {
        std::int64_t count = 0;
        for (const AppRecord& app : apps)
            count += std::int64_t(app.windows.size());
        return count;
    }

    friend bool operator==(const Workspace&, const Workspace&) = default;
};

} // namespace vellaro
