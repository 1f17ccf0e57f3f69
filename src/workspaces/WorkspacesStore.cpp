#include "workspaces/WorkspacesStore.h"

#include "model/Logging.h"
#include "platform/session/JsonFile.h"
#include "platform/session/OwnedFile.h"
#include "workspaces/WorkspacesCoding.h"

#include <QDir>

namespace vellaro {

namespace {
constexpr char fileName[] = "workspaces.json";
} // namespace

WorkspacesStore::WorkspacesStore(const QString& folder) {
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder); // a failure shows at the first save
    filePath_ = QDir(folder).filePath(QLatin1String(fileName));
}

WorkspacesConfiguration WorkspacesStore::load() {
    if (filePath_.isEmpty())
        return {};
    const JsonFile::ReadResult read = JsonFile::read(filePath_);
    switch (read.status) {
    case JsonFile::ReadStatus::missing:
        return {};
    case JsonFile::ReadStatus::unreadable:
        // Still the user's file: it must not be replaced unseen.
        qCWarning(lcPersistence).noquote() << "workspaces.json cannot be read:" << read.error;
        keepFileOnDisk_ = true;
        return {};
    case JsonFile::ReadStatus::notAnObject:
    case JsonFile::ReadStatus::ok:
        break;
    }
    QString error = read.error;
    std::optional<WorkspacesConfiguration> decoded;
    if (read.status == JsonFile::ReadStatus::ok)
        decoded = WorkspacesCoding::decode(read.object, &error);
    if (!decoded) {
        qCCritical(lcPersistence).noquote() << "Failed to decode workspaces.json:" << error;
        keepFileOnDisk_ = true;
        return {};
    }
    if (decoded->version > WorkspacesConfiguration::currentVersion) {
        qCCritical(lcPersistence).noquote()
            << QStringLiteral("workspaces.json version %1 is newer than supported; using empty")
                   .arg(decoded->version);
        keepFileOnDisk_ = true;
        return {};
    }
    return *decoded;
}

void WorkspacesStore::save(const WorkspacesConfiguration& configuration) {
    if (filePath_.isEmpty()) {
        qCCritical(lcPersistence) << "Failed to save workspaces.json: there is no data folder";
        return;
    }
    QString error;
    if (keepFileOnDisk_ && OwnedFile::exists(filePath_)) {
        const QString aside = OwnedFile::moveAside(filePath_, &error);
        if (aside.isEmpty()) {
            qCCritical(lcPersistence).noquote()
                << "Failed to save workspaces.json: the rejected file could not be moved aside:"
                << error;
            return;
        }
        qCWarning(lcPersistence).noquote()
            << "Moved the rejected workspaces.json aside to" << aside;
    }
    keepFileOnDisk_ = false;
    if (!JsonFile::write(filePath_, WorkspacesCoding::encode(configuration), &error,
                         QJsonDocument::Compact))
        qCCritical(lcPersistence).noquote() << "Failed to save workspaces.json:" << error;
}

} // namespace vellaro
