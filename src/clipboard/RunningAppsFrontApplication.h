#pragma once

#include "clipboard/FrontApplication.h"

#include <QHash>
#include <functional>

namespace vellaro {

class RunningApps;

// The application in front as the running-applications service knows it:
// its identity, and the Name of its desktop entry (none without an entry).
// Only while it still has a window.
class RunningAppsFrontApplication final : public FrontApplication {
public:
    // The Name of the desktop entry of an application identity; empty when none.
    using NameLookup = std::function<QString(const QString& id)>;

    RunningAppsFrontApplication(RunningApps& apps, NameLookup nameOf, QObject* parent = nullptr);

    std::optional<SourceApplication> current() const override;

private:
    std::optional<SourceApplication> application(const QString& id) const;

    RunningApps& apps_;
    NameLookup nameOf_;
    mutable QHash<QString, QString> names_; // desktop entries are read once
};

} // namespace vellaro
