#pragma once

#include "support/RunProgram.h"

#include <QString>
#include <QStringList>

namespace vellaro::test {

// Splits the session's 1440×900 screen into two RandR monitors side by side,
// 720 px each, the left one primary; removes them again whatever happens.
class SplitScreen {
public:
    SplitScreen() {
        run({QStringLiteral("--setmonitor"), left, QStringLiteral("720/190x900/238+0+0"),
             QStringLiteral("screen")});
        run({QStringLiteral("--setmonitor"), right, QStringLiteral("720/190x900/238+720+0"),
             QStringLiteral("none")});
    }
    ~SplitScreen() {
        run({QStringLiteral("--delmonitor"), right});
        run({QStringLiteral("--delmonitor"), left});
    }
    SplitScreen(const SplitScreen&) = delete;
    SplitScreen& operator=(const SplitScreen&) = delete;

    const QString left = QStringLiteral("VellaroLeft");
    const QString right = QStringLiteral("VellaroRight");

private:
    static void run(const QStringList& arguments) {
        runProgram(QStringLiteral("xrandr"), arguments);
    }
};

} // namespace vellaro::test
