#include "platform/session/LoginItem.h"

#include "platform/session/OwnedFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(loginLog, "vellaro.login")

// Desktop entries are small; anything larger is not one of ours to trust.
constexpr qint64 maxEntrySize = 1 << 20;

QString autostartFile(const QString& configFolder) {
    return configFolder + QStringLiteral("/autostart/") + QLatin1String(LoginItem::fileName);
}

// The value of `key` in the [Desktop Entry] group; empty when absent.
QString desktopEntryValue(const QByteArray& text, QLatin1String key) {
    bool inMainGroup = false;
    const QList<QByteArray> lines = text.split('\n');
    for (const QByteArray& raw : lines) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMainGroup || equals < 0)
            continue;
        if (QStringView(line).left(equals).trimmed() == key)
            return line.mid(equals + 1).trimmed();
    }
    return {};
}

QByteArray entryText(const QString& exec, bool hidden) {
    QByteArray text = "[Desktop Entry]\nType=Application\nName=Vellaro\n";
    text += "Exec=" + exec.toUtf8() + '\n';
    text += hidden ? "Hidden=true\n" : "X-GNOME-Autostart-enabled=true\n";
    return text;
}

} // namespace

LoginItem::Folders LoginItem::Folders::fromEnvironment() {
    Folders folders;
    folders.configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!QDir::isAbsolutePath(folders.configHome))
        folders.configHome = QDir::homePath() + QStringLiteral("/.config");
    const QStringList dirs =
        qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& dir : dirs)
        if (QDir::isAbsolutePath(dir))
            folders.configDirs.append(dir);
    if (folders.configDirs.isEmpty())
        folders.configDirs.append(QStringLiteral("/etc/xdg"));
    return folders;
}

LoginItem::LoginItem(QString launcher, Folders folders)
    : launcher_(std::move(launcher)), folders_(std::move(folders)) {}

QString LoginItem::entryPath() const {
    return autostartFile(folders_.configHome);
}

QString LoginItem::winningEntry() const {
    if (OwnedFile::exists(entryPath()))
        return entryPath();
    for (const QString& dir : folders_.configDirs)
        if (const QString path = autostartFile(dir); QFileInfo::exists(path))
            return path;
    return {};
}

LoginItem::Status LoginItem::status() const {
    const QString path = winningEntry();
    if (path.isEmpty())
        return Status::notRegistered;
    const OwnedFile::ReadResult entry = OwnedFile::read(path, maxEntrySize);
    if (entry.status != OwnedFile::ReadStatus::ok) {
        // Never waited on: a pipe or a device here would hold the console.
        qCWarning(loginLog, "Cannot read %s: %s", qPrintable(path), qPrintable(entry.error));
        return Status::notRegistered;
    }
    if (desktopEntryValue(entry.data, QLatin1String("Hidden")) == QLatin1String("true") ||
        desktopEntryValue(entry.data, QLatin1String("X-GNOME-Autostart-enabled")) ==
            QLatin1String("false"))
        return Status::notRegistered;
    return Status::enabled;
}

QString LoginItem::execValue(const QString& path) {
    if (path.isEmpty() || path.contains(QLatin1Char('%')))
        return {};
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        if (c.category() == QChar::Other_Control)
            return {};
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    quoted += QLatin1Char('"');
    // The quoted argument is then stored as a string value, whose own escape
    // turns each backslash into two.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return quoted;
}

bool LoginItem::writeEntry(const QByteArray& text) {
    const QString path = entryPath();
    QString error;
    if (!OwnedFile::write(path, text, maxEntrySize, &error)) {
        qCWarning(loginLog, "Cannot write %s: %s", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

bool LoginItem::registerItem() {
    const QString exec = execValue(launcher_);
    if (exec.isEmpty()) {
        qCWarning(loginLog, "Not starting at login: no desktop can run the path %s",
                  qPrintable(launcher_));
        return false;
    }
    return writeEntry(entryText(exec, false));
}

bool LoginItem::unregisterItem() {
    for (const QString& dir : folders_.configDirs) {
        if (!QFileInfo::exists(autostartFile(dir)))
            continue;
        // A system entry starts us unless our own file masks it.
        const QString exec = execValue(launcher_);
        return writeEntry(entryText(exec.isEmpty() ? QStringLiteral("vellaro") : exec, true));
    }
    QFile file(entryPath());
    if (OwnedFile::exists(entryPath()) && !file.remove()) {
        qCWarning(loginLog, "Cannot remove %s: %s", qPrintable(entryPath()),
                  qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace vellaro
