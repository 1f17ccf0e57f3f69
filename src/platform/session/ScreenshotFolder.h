#pragma once

#include <QString>
#include <optional>

namespace vellaro {

// Where screenshots go. Configured: gnome-screenshot's "auto-save-directory"
// when that schema is installed and the key names an existing folder (a
// file URI or a path, "~" meaning home), else the pictures folder's
// "Screenshots" when it exists. Absent when neither applies.
std::optional<QString> configuredScreenshotFolder();

// The configured folder, else the Desktop when it exists, else home.
QString screenshotFolder();

} // namespace vellaro
