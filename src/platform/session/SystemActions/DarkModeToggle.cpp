#include "platform/session/SystemActions/DarkModeToggle.h"

#include "platform/session/GSettings.h"
#include "platform/session/SystemActions/ActionsLog.h"

namespace vellaro {

namespace {

const QString interfaceSchema = QStringLiteral("org.gnome.desktop.interface");
const QString schemeKey = QStringLiteral("color-scheme");
const QString themeKey = QStringLiteral("gtk-theme");
const QString lightTheme = QStringLiteral("Adwaita");
const QString darkTheme = QStringLiteral("Adwaita-dark");

} // namespace

bool DarkModeToggle::toggle() {
    const std::optional<QString> scheme = GSettings::string(interfaceSchema, schemeKey);
    if (!scheme) {
        qCWarning(lcActions, "Dark Mode needs the desktop setting %s %s, which is not installed",
                  qUtf8Printable(interfaceSchema), qUtf8Printable(schemeKey));
        return false;
    }
    const bool dark = *scheme != QLatin1String("prefer-dark");
    if (!GSettings::setString(interfaceSchema, schemeKey,
                              dark ? QStringLiteral("prefer-dark") : QStringLiteral("default"))) {
        qCWarning(lcActions, "Could not toggle Dark Mode: %s %s is not writable",
                  qUtf8Printable(interfaceSchema), qUtf8Printable(schemeKey));
        return false;
    }
    // Older GTK programs follow only the theme; leave any theme but Adwaita alone.
    const std::optional<QString> theme = GSettings::string(interfaceSchema, themeKey);
    const QString& from = dark ? lightTheme : darkTheme;
    if (theme == from &&
        !GSettings::setString(interfaceSchema, themeKey, dark ? darkTheme : lightTheme))
        qCWarning(lcActions, "Could not switch the GTK theme to match Dark Mode");
    return true;
}

} // namespace vellaro
