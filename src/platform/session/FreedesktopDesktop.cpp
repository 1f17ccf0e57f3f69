#include "platform/session/FreedesktopDesktop.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLoggingCategory>

namespace vellaro {

namespace {

Q_LOGGING_CATEGORY(desktopLog, "vellaro.desktop")

Desktop*& installed() {
    static Desktop* desktop = nullptr;
    return desktop;
}

constexpr int revealTimeoutMs = 2000;

void openUrl(const QUrl& url) {
    if (!QDesktopServices::openUrl(url))
        qCWarning(desktopLog) << "Could not open" << url.toDisplayString();
}

} // namespace

Desktop& Desktop::shared() {
    if (Desktop* desktop = installed())
        return *desktop;
    static FreedesktopDesktop real;
    return real;
}

void Desktop::setShared(Desktop* desktop) {
    installed() = desktop;
}

FreedesktopDesktop::FreedesktopDesktop(QDBusConnection bus) : bus_(std::move(bus)) {}

void FreedesktopDesktop::open(const QUrl& url) {
    openUrl(url);
}

void FreedesktopDesktop::reveal(const QString& path) {
    const QString folder = QFileInfo(path).absolutePath();
    if (!bus_.isConnected()) {
        open(QUrl::fromLocalFile(folder));
        return;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"),
        QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItems"));
    call << QStringList{QUrl::fromLocalFile(path).toString()} << QString();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, revealTimeoutMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [folder](QDBusPendingCallWatcher* w) {
                         if (w->isError())
                             openUrl(QUrl::fromLocalFile(folder));
                         w->deleteLater();
                     });
}

} // namespace vellaro
