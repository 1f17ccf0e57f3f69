#include "workspaces/RestoreAppEntry.h"

#include "platform/apps/AppCatalog.h"

#include <QFileInfo>

namespace vellaro {

namespace {

// One quoted argument of an Exec line.
QString quotedExec(const QString& argument) {
    QString quoted = QStringLiteral("\"");
    for (QChar c : argument) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        else if (c == QLatin1Char('%'))
            quoted += QLatin1Char('%');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

std::optional<DesktopEntry> entryAtPath(const AppRecord& app, const AppCatalog& catalog) {
    if (!app.appPath)
        return std::nullopt;
    const QFileInfo file(*app.appPath);
    if (!file.isFile())
        return std::nullopt;
    if (file.suffix() == QLatin1String("desktop"))
        return catalog.readFile(file.absoluteFilePath());
    if (!file.isExecutable())
        return std::nullopt;
    DesktopEntry entry;
    entry.id = app.bundleID;
    entry.type = QStringLiteral("Application");
    entry.name = file.fileName();
    entry.exec = quotedExec(file.absoluteFilePath());
    for (const QString& argument : app.arguments.value_or(QStringList()))
        entry.exec += QLatin1Char(' ') + quotedExec(argument);
    return entry;
}

} // namespace

std::optional<DesktopEntry> restoreEntryFor(const AppRecord& app, const AppCatalog& catalog) {
    if (std::optional<DesktopEntry> entry = entryAtPath(app, catalog))
        return entry;
    return catalog.find(app.bundleID);
}

} // namespace vellaro
