#pragma once

#include "platform/apps/DesktopEntry.h"

#include <QHash>
#include <QImage>
#include <QString>

namespace vellaro {

// Application icons at 64 pixels, from the icon theme by name or from a
// file path, each loaded once. Unknown icons fall back to the theme's
// generic program icon. Main thread (the icon theme is not thread-safe).
class AppIcons {
public:
    static constexpr int size = 64;

    static AppIcons& shared();

    QImage icon(const DesktopEntry& entry);
    QImage icon(const QString& nameOrPath);

private:
    QHash<QString, QImage> loaded_;
};

} // namespace vellaro
