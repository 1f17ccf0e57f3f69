#include "platform/updater/InstallLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <unistd.h>

namespace vellaro {

namespace {

InstallLocation notSelfUpdatable(const QString& executable) {
    InstallLocation location;
    location.launcherPath = executable;
    location.reason = executable.startsWith(QStringLiteral("/usr/"))
                          ? QStringLiteral("installed by your system's package manager; "
                                           "update it there")
                          : QStringLiteral("this copy cannot update itself");
    return location;
}

} // namespace

InstallLocation InstallLocation::resolve(const Facts& facts) {
    if (!facts.appImage.isEmpty()) {
        if (!QDir::isAbsolutePath(facts.appImage) || !facts.isWritableFile(facts.appImage) ||
            !facts.isWritableFolder(QFileInfo(facts.appImage).path()))
            return notSelfUpdatable(facts.executable);
        InstallLocation location;
        location.kind = Kind::appImage;
        location.appImagePath = QDir::cleanPath(facts.appImage);
        location.launcherPath = location.appImagePath;
        return location;
    }
    static const QRegularExpression versioned(
        QStringLiteral("^(/.*)/versions/([^/]+)/bin/vellaro$"));
    const auto match = versioned.match(facts.executable);
    if (!match.hasMatch())
        return notSelfUpdatable(facts.executable);
    const QString root = match.captured(1);
    const QString folder = match.captured(2);
    const QString current = root + QStringLiteral("/current");
    const QString target = facts.linkTarget(current);
    const QString resolved =
        QDir::cleanPath(QDir::isAbsolutePath(target) ? target : root + QLatin1Char('/') + target);
    if (target.isEmpty() || resolved != root + QStringLiteral("/versions/") + folder ||
        !facts.isWritableFolder(root) ||
        !facts.isWritableFolder(root + QStringLiteral("/versions")))
        return notSelfUpdatable(facts.executable);
    InstallLocation location;
    location.kind = Kind::versionFolder;
    location.root = root;
    location.runningFolder = folder;
    location.launcherPath = current + QStringLiteral("/bin/vellaro");
    return location;
}

InstallLocation InstallLocation::ofThisProcess() {
    Facts facts;
    facts.executable = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    facts.appImage = qEnvironmentVariable("APPIMAGE");
    facts.isWritableFile = [](const QString& path) {
        const QFileInfo info(path);
        return info.isFile() && !info.isSymLink() && info.isWritable();
    };
    facts.isWritableFolder = [](const QString& path) {
        const QFileInfo info(path);
        return info.isDir() && info.isWritable();
    };
    facts.linkTarget = [](const QString& path) {
        char target[4096];
        const ssize_t length =
            ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
        return length > 0 && size_t(length) < sizeof target
                   ? QFile::decodeName(QByteArray(target, qsizetype(length)))
                   : QString();
    };
    return resolve(facts);
}

QString InstallLocation::packageType() const {
    switch (kind) {
    case Kind::appImage:
        return QString::fromLatin1(appImageType);
    case Kind::versionFolder:
        return QString::fromLatin1(versionFolderType);
    case Kind::notSelfUpdatable:
        break;
    }
    return {};
}

} // namespace vellaro
