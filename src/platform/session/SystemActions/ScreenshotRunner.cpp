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
        qCCritical(lcActions, "No screenshot tool found (tried %s)",
                   qUtf8Printable(ScreenshotCommand::knownTools().join(QStringLiteral(", "))));
        return;
    }
    if (destination == ScreenshotDestination::file)
        captureToFile(chosen, area);
    else if (ScreenshotCommand::copiesToClipboard(chosen))
        launcher_.launch(chosen, *ScreenshotCommand::arguments(chosen, area, QString()));
    else
        captureThroughFile(chosen, area);
}

void ScreenshotRunner::captureToFile(const QString& tool, ScreenshotArea area) {
    const QString folder = environment_.folder ? environment_.folder() : QString();
    if (folder.isEmpty()) {
        qCCritical(lcActions, "No folder to save the screenshot in");
        return;
    }
    const QString path = names_->reserve(folder, environment_.now());
    launcher_.launch(tool, *ScreenshotCommand::arguments(tool, area, path),
                     [names = std::weak_ptr(names_), path](int) {
                         if (auto held = names.lock())
                             held->release(path);
                     });
}

void ScreenshotRunner::captureThroughFile(const QString& tool, ScreenshotArea area) {
    auto folder = std::make_shared<QTemporaryDir>();
    if (!folder->isValid()) {
        qCCritical(lcActions, "No temporary folder for a clipboard screenshot");
        return;
    }
    const QString path = folder->filePath(QStringLiteral("capture.png"));
    launcher_.launch(tool, *ScreenshotCommand::arguments(tool, area, path),
                     [folder, path](int status) {
                         QFile file(path);
                         if (status != 0 || !file.open(QIODevice::ReadOnly))
                             return; // cancelled or failed: nothing to copy
                         const QByteArray png = file.readAll();
                         auto* data = new QMimeData;
                         data->setData(QStringLiteral("image/png"), png);
                         data->setImageData(QImage::fromData(png, "PNG"));
                         QGuiApplication::clipboard()->setMimeData(data);
                     });
}

} // namespace vellaro
