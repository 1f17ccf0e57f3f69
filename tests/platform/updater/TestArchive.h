#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace vellaro::test {

// A .tar.xz written entry by entry, so tests can build the hostile ones too.
struct TestArchive {
    struct Entry {
        enum class Kind { file, folder, link };
        Kind kind;
        QString path;
        QByteArray content; // file
        QString linkTarget; // link
        int mode = 0644;
    };

    QList<Entry> entries;

    TestArchive& file(const QString& path, const QByteArray& content, int mode = 0644);
    TestArchive& folder(const QString& path);
    TestArchive& link(const QString& path, const QString& target);

    // A version folder whose bin/vellaro is an executable script saying
    // `version`, with a manifest naming `build`.
    static TestArchive versionFolder(const QByteArray& version, const QByteArray& build = "101");
    // The manifest the update-package target writes.
    static QByteArray manifest(const QByteArray& build);
    // An AppImage as the update-package target leaves it: the image, then
    // the manifest naming `build`, then the footer giving its length.
    static QByteArray appImage(const QByteArray& image, const QByteArray& build = "101");

    QByteArray toTarXz() const;
};

} // namespace vellaro::test
