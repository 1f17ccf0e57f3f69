#include "InstallTree.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>

namespace vellaro::test {

InstallTree::InstallTree() : dir_(std::make_shared<QTemporaryDir>()) {}

QString InstallTree::read(const QString& relative) const {
    QFile file(path(relative));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void InstallTree::write(const QString& relative, const QByteArray& content, int mode) const {
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile file(path(relative));
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(content);
    file.close();
    ::chmod(QFile::encodeName(path(relative)).constData(), mode_t(mode));
}

InstallTree InstallTree::versioned(const QString& runningBuild) {
    InstallTree tree;
    tree.write("versions/" + runningBuild + "/bin/vellaro", "#!/bin/sh\necho running\n", 0755);
    tree.write("versions/99/bin/vellaro", "#!/bin/sh\necho older\n", 0755);
    ::symlink(QFile::encodeName("versions/" + runningBuild).constData(),
              QFile::encodeName(tree.path("current")).constData());
    tree.location.kind = InstallLocation::Kind::versionFolder;
    tree.location.root = tree.root();
    tree.location.runningFolder = runningBuild;
    tree.location.launcherPath = tree.path("current/bin/vellaro");
    return tree;
}

InstallTree InstallTree::appImage() {
    InstallTree tree;
    tree.write("Vellaro.AppImage", "running appimage", 0750);
    tree.location.kind = InstallLocation::Kind::appImage;
    tree.location.appImagePath = tree.path("Vellaro.AppImage");
    tree.location.launcherPath = tree.location.appImagePath;
    return tree;
}

QString InstallTree::snapshot() const {
    QStringList lines;
    QDirIterator entries(root(),
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QString entry = entries.next();
        const QFileInfo info(entry);
        QString line = QDir(root()).relativeFilePath(entry) + QLatin1Char(' ') +
                       QString::number(int(info.permissions()), 8);
        if (info.isSymLink()) {
            line += " -> " + info.symLinkTarget();
        } else if (info.isFile()) {
            QFile file(entry);
            file.open(QIODevice::ReadOnly);
            line +=
                ' ' + QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
        }
        lines << line;
    }
    lines.sort();
    return lines.join('\n');
}

} // namespace vellaro::test
