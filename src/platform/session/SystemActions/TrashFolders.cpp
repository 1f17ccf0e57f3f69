#include "platform/session/SystemActions/TrashFolders.h"

#include <QDir>
#include <QFile>
#include <sys/stat.h>

namespace vellaro::TrashFolders {

namespace {

bool isRealFolder(const QString& path, bool mustBeSticky = false) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return false;
    return S_ISDIR(info.st_mode) && (!mustBeSticky || (info.st_mode & S_ISVTX));
}

// The table escapes blanks, tabs, new lines and backslashes as \ooo.
QString unescape(const QByteArray& field) {
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

} // namespace

QStringList locate(const QString& dataHome, uint uid, const QStringList& mountPoints) {
    QStringList folders;
    const auto add = [&folders](const QString& path) {
        const QString clean = QDir::cleanPath(path);
        if (!folders.contains(clean))
            folders << clean;
    };
    if (!dataHome.isEmpty() && isRealFolder(dataHome + QStringLiteral("/Trash")))
        add(dataHome + QStringLiteral("/Trash"));
    const QString user = QString::number(uid);
    for (const QString& top : mountPoints) {
        const QString shared = top + QStringLiteral("/.Trash");
        if (isRealFolder(shared, true) && isRealFolder(shared + QLatin1Char('/') + user))
            add(shared + QLatin1Char('/') + user);
        const QString own = top + QStringLiteral("/.Trash-") + user;
        if (isRealFolder(own))
            add(own);
    }
    return folders;
}

QStringList mountPoints(const QString& mountsFile) {
    QFile file(mountsFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList points;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() >= 2 && fields[1].startsWith('/'))
            points << unescape(fields[1]);
    }
    return points;
}

} // namespace vellaro::TrashFolders
