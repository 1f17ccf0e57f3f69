#pragma once

#include "model/InstalledApp.h"

#include <QHash>
#include <QImage>
#include <QString>
#include <QUuid>
#include <vector>

namespace vellaro {

// What the section panes keep while the context panel lives, whichever
// section is shown: typed workspace names, the apps search and the
// installed apps once loaded, and app icons by bundle ID.
struct SectionPanelState {
    QHash<QUuid, QString> workspaceNames;
    QString appQuery;
    bool appsLoading = true;
    std::vector<InstalledApp> installedApps;
    QHash<QString, QImage> appIcons;
};

} // namespace vellaro
