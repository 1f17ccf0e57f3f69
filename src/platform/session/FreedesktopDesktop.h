#pragma once

#include "platform/session/Desktop.h"

#include <QDBusConnection>

namespace vellaro {

// Desktop over QDesktopServices (xdg-open) and the file manager's
// org.freedesktop.FileManager1 ShowItems, asked asynchronously; without an
// answer within two seconds the file's folder is opened instead.
class FreedesktopDesktop final : public Desktop {
public:
    explicit FreedesktopDesktop(QDBusConnection bus = QDBusConnection::sessionBus());

    void open(const QUrl& url) override;
    void reveal(const QString& path) override;

private:
    QDBusConnection bus_;
};

} // namespace vellaro
