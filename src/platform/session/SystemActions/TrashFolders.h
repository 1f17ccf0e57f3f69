#pragma once

#include <QString>
#include <QStringList>

namespace vellaro {

// Where the user's trashed files live, after the freedesktop trash rules.
namespace TrashFolders {

// The home trash ($XDG_DATA_HOME/Trash) and, for each mount point, its
// ".Trash/<uid>" (only when ".Trash" is a sticky folder, not a symlink) and
// its ".Trash-<uid>", the ones that exist, each once.
QStringList locate(const QString& dataHome, uint uid, const QStringList& mountPoints);

// The mount points listed in a mounts table such as /proc/self/mounts.
QStringList mountPoints(const QString& mountsFile = QStringLiteral("/proc/self/mounts"));

} // namespace TrashFolders

} // namespace vellaro
