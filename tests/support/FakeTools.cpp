#include "FakeTools.h"

#include <QFile>

namespace vellaro::test {

namespace {

// Arguments are separated by a unit separator, calls by a line feed.
constexpr char separator = '\x1f';

} // namespace

FakeTools::FakeTools() = default;

void FakeTools::add(const QString& name, const QString& script) {
    QFile tool(dir_.filePath(name));
    tool.open(QIODevice::WriteOnly);
    tool.write(QStringLiteral("#!/bin/sh\n"
                              "{ printf '%s' '%1'; for a in \"$@\"; do printf '\\037%s' \"$a\"; "
                              "done; printf '\\n'; } >> '%2'\n")
                   .arg(name, dir_.filePath(QStringLiteral("calls.log")))
                   .toUtf8());
    tool.write(script.toUtf8() + "\n");
    tool.close();
    tool.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QList<QStringList> FakeTools::calls() const {
    QFile log(dir_.filePath(QStringLiteral("calls.log")));
    QList<QStringList> calls;
    if (!log.open(QIODevice::ReadOnly))
        return calls;
    QList<QByteArray> lines = log.readAll().split('\n');
    // The last piece is empty, or a call still being written.
    lines.removeLast();
    for (const QByteArray& line : lines) {
        if (!line.isEmpty())
            calls << QString::fromUtf8(line).split(QLatin1Char(separator));
    }
    return calls;
}

} // namespace vellaro::test
