#pragma once

#include "FuzzCheck.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QLoggingCategory>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

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

// A file a store cannot use is logged on every run: quiet, so the runs stay fast.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLoggingCategory::setFilterRules(QStringLiteral("vellaro.*=false"));
    return 0;
}
