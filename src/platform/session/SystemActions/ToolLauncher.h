#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace vellaro {

// Starts command-line tools found on a search path, without a shell, and
// reports their exit status on the main thread. Nothing here waits.
class ToolLauncher {
public:
    // `searchPath`: the folders looked in, in order; the program passes $PATH.
    explicit ToolLauncher(QStringList searchPath);
    // $PATH of this process.
    static QStringList environmentPath();

    // The tool's full path, or empty when it is not on the search path.
    QString find(const QString& tool) const;
    bool has(const QString& tool) const { return !find(tool).isEmpty(); }

    // Starts `tool` (a name on the search path, or a full path) with
    // `arguments`. `completion` gets the exit status once it ends (-1 when it
    // crashed); a tool that cannot start is logged and never completes.
    void launch(const QString& tool, const QStringList& arguments,
                std::function<void(int status)> completion = {}) const;

private:
    QStringList searchPath_;
};

} // namespace vellaro
