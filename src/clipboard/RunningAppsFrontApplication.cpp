#include "clipboard/RunningAppsFrontApplication.h"

#include "platform/apps/RunningApps.h"

namespace vellaro {

RunningAppsFrontApplication::RunningAppsFrontApplication(RunningApps& apps, NameLookup nameOf,
                                                         QObject* parent)
    : FrontApplication(parent), apps_(apps), nameOf_(std::move(nameOf)) {
    connect(&apps_, &RunningApps::activeAppChanged, this,
            [this](const QString& previous, const QString& current) {
                Q_EMIT changed(application(previous), application(current));
            });
}

std::optional<SourceApplication> RunningAppsFrontApplication::current() const {
    // An application whose last window closed is not in front any more, even
    // where the window manager still names that window as the active one.
    const QString active = apps_.activeApp();
    return apps_.isRunning(active) ? application(active) : std::nullopt;
}

std::optional<SourceApplication> RunningAppsFrontApplication::application(const QString& id) const {
    if (id.isEmpty())
        return std::nullopt;
    auto name = names_.constFind(id);
    if (name == names_.constEnd())
        name = names_.insert(id, nameOf_(id));
    return SourceApplication{id, *name};
}

} // namespace vellaro
