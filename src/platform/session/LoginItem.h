#pragma once

#include <QString>
#include <QStringList>

namespace vellaro {

// Starting the program when the user logs in, through an XDG autostart
// entry: $XDG_CONFIG_HOME/autostart/org.vellaro.Vellaro.desktop. An entry
// of the same name in $XDG_CONFIG_DIRS counts too, and is masked by our own
// file with Hidden=true when the user turns it off.
class LoginItem {
public:
    enum class Status { notRegistered, enabled };

    struct Folders {
        QString configHome;     // $XDG_CONFIG_HOME
        QStringList configDirs; // $XDG_CONFIG_DIRS, most important first
        // The folders the session's environment names, with the XDG defaults.
        static Folders fromEnvironment();
    };

    // `launcher` is the path the entry starts: the install's stable launcher.
    LoginItem(QString launcher, Folders folders = Folders::fromEnvironment());

    Status status() const;
    // Both return false, leaving the files as they were, when the entry
    // cannot be written or removed; the reason is logged.
    bool registerItem();
    bool unregisterItem();

    // Our own entry's path, in the user's folder.
    QString entryPath() const;

    // The Exec value that starts `path`, quoted and escaped for a desktop
    // entry; empty for a path no desktop can start as written (a `%` field
    // code or a control character).
    static QString execValue(const QString& path);

    static constexpr const char* fileName = "org.vellaro.Vellaro.desktop";

private:
    QString winningEntry() const;
    bool writeEntry(const QByteArray& text);

    QString launcher_;
    Folders folders_;
};

} // namespace vellaro
