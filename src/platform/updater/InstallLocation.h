#pragma once

#include <QString>

#include <functional>

namespace vellaro {

// How the running copy is installed, and so whether and how it can replace
// itself: an AppImage swaps its file, a versioned install
// (<root>/versions/<build>/bin/vellaro with <root>/current linking to the
// running version) swaps the link. Anything else is left to whoever
// installed it.
struct InstallLocation {
    enum class Kind { appImage, versionFolder, notSelfUpdatable };

    // What is known about the running copy, gathered from the system.
    struct Facts {
        QString executable; // canonical path of the running binary
        QString appImage;   // $APPIMAGE, empty when unset
        std::function<bool(const QString&)> isWritableFile;
        std::function<bool(const QString&)> isWritableFolder;
        // The target text of a symbolic link, empty when it is none.
        std::function<QString(const QString&)> linkTarget;
    };

    Kind kind = Kind::notSelfUpdatable;
    QString appImagePath;  // appImage: the file
    QString root;          // versionFolder: the folder holding versions/ and current
    QString runningFolder; // versionFolder: the running version's folder name
    QString reason;        // notSelfUpdatable: why, for people
    QString launcherPath;  // what starts this install (the login item uses it too)

    static InstallLocation resolve(const Facts& facts);
    static InstallLocation ofThisProcess();

    bool canUpdate() const { return kind != Kind::notSelfUpdatable; }
    // The enclosure type this install takes.
    QString packageType() const;

    static constexpr const char* appImageType = "application/vnd.appimage";
    static constexpr const char* versionFolderType = "application/x-xz-compressed-tar";
};

} // namespace vellaro
