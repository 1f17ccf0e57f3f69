#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vellaro::test {

// A folder of stand-in command-line tools for a search path. Each tool
// records its call (name, then arguments) in a shared log, then runs the
// shell lines it was given.
class FakeTools {
public:
    FakeTools();

    QString folder() const { return dir_.path(); }
    QStringList searchPath() const { return {dir_.path()}; }

    // Adds `name`; `script` runs after the call is recorded ("$@" are its
    // arguments) and decides the exit status (0 when empty).
    void add(const QString& name, const QString& script = {});
    // One entry per call, in order: the tool's name and its arguments.
    QList<QStringList> calls() const;

private:
    QTemporaryDir dir_;
};

} // namespace vellaro::test
