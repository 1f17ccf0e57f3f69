#include "platform/session/SystemActions/ScreenshotRunner.h"

#include "platform/session/SystemActions/ActionsLog.h"
#include "platform/session/SystemActions/ScreenshotCommand.h"
#include "platform/session/SystemActions/ToolLauncher.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <memory>

namespace vellaro {

namespace {

using FailureCallback = std::function<void(const QString&)>;

void report(const FailureCallback& onFailure, const QString& problem) {
    qCWarning(lcActions, "Screenshot failed: %s", qUtf8Printable(problem));
    if (onFailure)
        onFailure(QStringLiteral("Vellaro could not take the screenshot: %1.").arg(problem));
}

QString toolFailed(const QString& tool, int status) {
    return status < 0 ? QStringLiteral("%1 crashed").arg(tool)
                      : QStringLiteral("%1 failed (status %2)").arg(tool).arg(status);
}

} // namespace

ScreenshotRunner::ScreenshotRunner(const ToolLauncher& launcher, Environment environment)
    : launcher_(launcher), environment_(std::move(environment)) {}

QString ScreenshotRunner::tool() const {
    const QString own = ScreenshotCommand::desktopTool(environment_.currentDesktop);
    if (!own.isEmpty() && launcher_.has(own))
        return own;
    for (const QString& known : ScreenshotCommand::knownTools()) {
        if (launcher_.has(known))
            return known;
    }
    return {};
}

void ScreenshotRunner::capture(ScreenshotArea area, ScreenshotDestination destination) {
    const QString chosen = tool();
    if (chosen.isEmpty()) {
        fail(QStringLiteral("no screenshot tool is installed (%1)")
                 .arg(ScreenshotCommand::knownTools().join(QStringLiteral(", "))));
        return;
    }
    if (destination == ScreenshotDestination::file)
        captureToFile(chosen, area);
    else if (ScreenshotCommand::copiesToClipboard(chosen))
        launcher_.launch(chosen, *ScreenshotCommand::arguments(chosen, area, QString()),
                         reporting(chosen));
    else
        captureThroughFile(chosen, area);
}

std::function<void(int)> ScreenshotRunner::reporting(const QString& tool,
                                                     std::function<void(int)> then) const {
    return [tool, onFailure = onFailure_, then = std::move(then)](int status) {
        if (then)
            then(status);
        if (status != 0)
            report(onFailure, toolFailed(tool, status));
    };
}

void ScreenshotRunner::fail(const QString& message) const {
    report(onFailure_, message);
}

void ScreenshotRunner::captureToFile(const QString& tool, ScreenshotArea area) {
    const QString folder = environment_.folder ? environment_.folder() : QString();
    if (folder.isEmpty()) {
        fail(QStringLiteral("there is no folder to save it in"));
        return;
    }
    const QString path = names_->reserve(folder, environment_.now());
    launcher_.launch(tool, *ScreenshotCommand::arguments(tool, area, path),
                     reporting(tool, [names = std::weak_ptr(names_), path](int) {
                         if (auto held = names.lock())
                             held->release(path);
                     }));
}

void ScreenshotRunner::captureThroughFile(const QString& tool, ScreenshotArea area) {
    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid()) {
        fail(QStringLiteral("there is no temporary folder for the picture"));
        return;
    }
    const QString path = folder->filePath(QStringLiteral("capture.png"));
    launcher_.launch(tool, *ScreenshotCommand::arguments(tool, area, path),
                     [folder, path, tool, onFailure = onFailure_](int status) {
                         if (status != 0) {
                             report(onFailure, toolFailed(tool, status));
                             return;
                         }
                         QFile file(path);
                         const QByteArray png =
                             file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
                         const QImage image = QImage::fromData(png, "PNG");
                         if (image.isNull()) {
                             report(onFailure, QStringLiteral("%1 saved no picture").arg(tool));
                             return;
                         }
                         auto* data = new QMimeData;
                         data->setData(QStringLiteral("image/png"), png);
                         data->setImageData(image);
                         QGuiApplication::clipboard()->setMimeData(data);
                     });
}

} // namespace vellaro
