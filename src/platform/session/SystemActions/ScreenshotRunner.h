#pragma once

#include "platform/session/SystemActions/ScreenshotKind.h"
#include "platform/session/SystemActions/ScreenshotNames.h"

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

namespace vellaro {

class ToolLauncher;

// Takes screenshots with the desktop's own tool, else the first known one
// on the search path. Files go into the screenshot folder under a name no
// other capture holds; clipboard captures write no file there. A capture
// that fails (no tool, the tool ends with an error, no picture) is told to
// the failure callback with a message for the user. Main thread.
class ScreenshotRunner {
public:
    struct Environment {
        // XDG_CURRENT_DESKTOP.
        QString currentDesktop;
        std::function<QString()> folder;
        std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    };

    ScreenshotRunner(const ToolLauncher& launcher, Environment environment);

    void setOnFailure(std::function<void(const QString& message)> callback) {
        onFailure_ = std::move(callback);
    }

    void capture(ScreenshotArea area, ScreenshotDestination destination);
    // The tool a capture uses now; empty when none is installed.
    QString tool() const;

private:
    void captureToFile(const QString& tool, ScreenshotArea area);
    void captureThroughFile(const QString& tool, ScreenshotArea area);
    // The completion of a capture: reports a tool that failed.
    std::function<void(int status)> reporting(const QString& tool,
                                              std::function<void(int status)> then = {}) const;
    void fail(const QString& message) const;

    const ToolLauncher& launcher_;
    Environment environment_;
    std::function<void(const QString&)> onFailure_;
    // Shared with the captures still running, which may end after the runner.
    std::shared_ptr<ScreenshotNames> names_ = std::make_shared<ScreenshotNames>();
};

} // namespace vellaro
