#pragma once

#include "platform/session/SystemActions/ScreenshotKind.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace vellaro {

// The screenshot tools Vellaro knows and how each is told what to capture.
namespace ScreenshotCommand {

// The tools in the order they are tried when the desktop has none of its own.
QStringList knownTools();
// The desktop's own tool for an XDG_CURRENT_DESKTOP value; empty when unknown.
QString desktopTool(const QString& currentDesktop);
// Whether the tool can put a capture on the clipboard by itself.
bool copiesToClipboard(const QString& tool);
// The tool's arguments for a capture written to `path`, or put on the
// clipboard when `path` is empty (for tools that can); none for an unknown tool.
std::optional<QStringList> arguments(const QString& tool, ScreenshotArea area, const QString& path);

} // namespace ScreenshotCommand

} // namespace vellaro
