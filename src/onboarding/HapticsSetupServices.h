#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QObject;

namespace vellaro {

class Desktop;
class MouseHapticsClient;
class Notifications;
class Scheduler;

// What the haptics wizard works with, all owned elsewhere.
struct HapticsSetupServices {
    MouseHapticsClient& haptics;
    Notifications& hub;
    Scheduler& scheduler;
    Desktop& desktop;
    // The companion app counts as installed when its desktop entry is in one
    // of these folders; none given: the XDG application folders.
    QString companionEntry = QStringLiteral("logioptionsplus.desktop");
    QStringList applicationFolders{};
    // Empty: the plug-in's folder in the user's data folder.
    QString pluginFolder{};
    bool reduceMotion = false;
    // Empty: the client's own probe of the plug-in.
    std::function<void(const QObject* context, std::function<void(bool)> done)> probe{};
};

} // namespace vellaro
