#pragma once

#include "FuzzCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A store's data folder for one fuzz run: emptied, then holding `fileName`
// with the run's input, as a store would find it at start.
inline QDir storeFolderHolding(const QString& fileName, const QByteArray& input) {
    static QTemporaryDir temp;
    FUZZ_CHECK(temp.isValid());
    QDir folder(temp.filePath(QStringLiteral("Vellaro")));
    folder.removeRecursively();
    FUZZ_CHECK(QDir().mkpath(folder.path()));
    QFile file(folder.filePath(fileName));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly));
    FUZZ_CHECK(file.write(input) == input.size());
    return folder;
}

inline QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
