#pragma once

#include <QDBusConnection>
#include <QString>
#include <functional>
#include <optional>

namespace vellaro {

class ToolLauncher;

// Switches Do Not Disturb of the running notification server: GNOME Shell's
// show-banners setting while GNOME Shell runs (org.gnome.Shell on the bus;
// other servers may call themselves GNOME), else, found by the name the
// server gives, the Xfce notify daemon's (xfconf) or dunst's (dunstctl).
// With any other server, or none, the setup callback runs so the user can be
// told. Main thread.
class DoNotDisturbRunner {
public:
    enum class Backend { gnome, xfce, dunst };

    DoNotDisturbRunner(QDBusConnection bus, const ToolLauncher& launcher);

    // Runs when Do Not Disturb could not be switched.
    void setOnNeedsSetup(std::function<void()> callback) { onNeedsSetup_ = std::move(callback); }
    // Runs when the recognised server, and so backendName(), changed.
    void setOnBackendChanged(std::function<void()> callback) {
        onBackendChanged_ = std::move(callback);
    }

    void toggle();
    // Asks the notification server's name, so the item can name it before
    // the first toggle.
    void identifyServer();
    // The desktop named on the item ("GNOME"), while the server is one it knows.
    std::optional<QString> backendName() const;
    // Opens the desktop's notification settings.
    void openNotificationSettings() const;

    // The backend for a server's GetServerInformation name and vendor, when
    // GNOME Shell does not run.
    static std::optional<Backend> backendFor(const QString& name, const QString& vendor);
    // What the setup alert says about the servers Vellaro can switch.
    static QString supportedServersText();

private:
    void remember(std::optional<Backend> backend);
    void askServer(std::function<void(std::optional<Backend>)> answer);
    void askNotificationServer(std::function<void(std::optional<Backend>)> answer);
    void toggle(Backend backend);
    void toggleXfce();
    void needsSetup() const;

    QDBusConnection bus_;
    const ToolLauncher& launcher_;
    std::function<void()> onNeedsSetup_;
    std::function<void()> onBackendChanged_;
    std::optional<Backend> backend_;
};

} // namespace vellaro
